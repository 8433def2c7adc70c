#include "app/displayconnection.h"

DisplayChoices::DisplayChoices()
{
    for (const char *name : {"QT_XCB_NO_MITSHM", "QT_NO_GLIB"}) {
        if (qEnvironmentVariableIsSet(name))
            continue;
        qputenv(name, QByteArray("1"));
        m_made.append(name);
    }
}

void DisplayChoices::forget()
{
    for (const QByteArray &name : std::as_const(m_made))
        qunsetenv(name.constData());
    m_made.clear();
}
