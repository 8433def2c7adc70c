#include "app/displayconnection.h"

#include <QByteArray>

void chooseDisplayTransfer()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", QByteArray("1"));
}
