#include "link/widgets/portlistbox.h"

void PortListBox::showPopup()
{
    Q_EMIT aboutToShowList();
    QComboBox::showPopup();
}
