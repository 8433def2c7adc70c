#pragma once

#include <QComboBox>

// The COM port list: says when the user opens it, so that the list can be
// built again from the devices present at that moment.
class PortListBox : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;

Q_SIGNALS:
    void aboutToShowList();
};
