#include "app/form1.h"

#include "app/accessiblenames.h"
#include "link/serialaccess.h"
#include "log/widgets/hitlogview.h"

#include "poll/widgets/lcdframe.h"
#include "poll/widgets/signalmeter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <QComboBox>
#include <QPushButton>

// The hint follows the COM port list's choice: it shows while the chosen
// device belongs to a group this user is not in, and says which.
void Form1::updateSerialAccessHint()
{
    const int number = Combo1->currentIndex() + 1;
    const QString device = number > 0 ? comPortDevice(number) : QString();
    const SerialAccess access = device.isEmpty() ? SerialAccess() : serialAccessOf(device);
    if (!access.needsGroup()) {
        serialAccessHint->hide();
        return;
    }
    const QString hint = joinGroupHint(device, access.group);
    serialAccessHint->setText(QStringLiteral("\u26a0 ") + access.group);
    serialAccessHint->setToolTip(hint);
    serialAccessHint->setAccessibleName(QStringLiteral("Serial access: ") + access.group);
    serialAccessHint->setAccessibleDescription(hint);
    serialAccessHint->show();
}

void Form1::explainSerialAccess()
{
    tellUser(serialAccessHint->toolTip());
    focusLogo();
}

void Form1::nameControls()
{
    // The radio's screen lines are plain labels, so the accessibility layer
    // reads their text as it changes; the elements around them get names.
    grdInfo->setAccessibleName(QStringLiteral("Hit Log"));
    logbox->setAccessibleName(QStringLiteral("Log Box"));
    Text3->setAccessibleName(QStringLiteral("Status"));
    Text4->setAccessibleName(QStringLiteral("Version"));
    Picture1->setAccessibleName(QStringLiteral("Tollvane"));
    Picture2->setAccessibleName(QStringLiteral("Radio Screen"));
    sigpic->setAccessibleName(QStringLiteral("Signal"));
    Vol_Combo->setAccessibleName(QStringLiteral("Volume"));
    Sql_Combo->setAccessibleName(QStringLiteral("Squelch"));
    nameUnnamedControls(this);
}
