// The link's recovery: a radio that goes away and comes back, Stop after the
// running key, macros shown while they play, settings that cannot be saved.
#include "app/form1.h"

#include "link/macros.h"
#include "link/portcatalogue.h"
#include "link/savefile.h"
#include "link/widgets/keybutton.h"
#include "link/widgets/portlistbox.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

void Form1::connectLinkRecovery()
{
    // Once a second, a look for the radio's device: cheap, and no busy wait.
    m_deviceWatch = new QTimer(this);
    m_deviceWatch->setObjectName(QStringLiteral("deviceWatch"));
    m_deviceWatch->setInterval(1000);
    connect(m_deviceWatch, &QTimer::timeout, this, &Form1::onDeviceWatchTick);
    connect(&m_sequencer, &CommandSequencer::idle, this, &Form1::onSequencerIdle);

    if (auto *list = qobject_cast<PortListBox *>(Combo1))
        connect(list, &PortListBox::aboutToShowList, this, &Form1::refreshPortList);
    // A choice made in the list (also of the number already chosen) is for
    // the device shown at that number now.
    const auto choose = [this](int index) {
        if (index < 0)
            return;
        m_chosenDevice = stableDeviceName(comPortDevice(index + 1));
        m_deviceWatch->stop();
    };
    connect(Combo1, &QComboBox::activated, this, choose);
    connect(Combo1, &QComboBox::currentIndexChanged, this, choose);

    for (QLineEdit *box : {m1, m2, m3})
        connect(box, &QLineEdit::textChanged, this, [this, box] { keepMacroBoxOneLine(box); });
}

void Form1::watchForDevice()
{
    if (!m_chosenDevice.isEmpty())
        m_deviceWatch->start();
}

void Form1::onDeviceWatchTick()
{
    if (isRunning() || m_chosenDevice.isEmpty()) {
        m_deviceWatch->stop();
        return;
    }
    if (!QFileInfo::exists(m_chosenDevice))
        return;
    refreshPortList();
    // Not yet openable (its permissions are still being set): next second.
    if (!OpenRadioPort())
        return;
    m_deviceWatch->stop();
    startRunning();
    showStatusNote(QStringLiteral("Radio found on COM %1").arg(Combo1->currentText()), 10000);
}

void Form1::onSequencerIdle()
{
    // What the radio last received: a sequence cut off (Stop, unplug) may
    // have left out a toggle's other half.
    syncHeldKeys();
    if (m_statusBeforeMacro) {
        m_statusNote.clear();
        // While running, the hit's state word as it is now; it may have
        // changed while the macro played.
        if (Timer1->isActive())
            onStatusTick();
        else
            Text3->setText(*m_statusBeforeMacro);
        m_statusBeforeMacro.reset();
    }
    if (m_closeWhenIdle) {
        m_closeWhenIdle = false;
        if (!isRunning())
            m_port.close();
    }
}

void Form1::syncHeldKeys()
{
    f_key_held = m_fKeyOnRadio;
    rev_key_held = m_revKeyOnRadio;
    if (KeyButton *key = m_keys.value(QStringLiteral("key_f")))
        key->setHeld(f_key_held);
    if (KeyButton *key = m_keys.value(QStringLiteral("key_rev")))
        key->setHeld(rev_key_held);
}

void Form1::showMacroProgress(int macro, int item, int items)
{
    if (!m_statusBeforeMacro)
        m_statusBeforeMacro = Text3->text();
    m_statusNote = QStringLiteral("Macro %1: item %2 of %3").arg(macro).arg(item).arg(items);
    Text3->setText(m_statusNote);
}

void Form1::showStatusNote(const QString &note, int forMs)
{
    m_statusNote = note;
    Text3->setText(note);
    QTimer::singleShot(forMs, this, [this, note] {
        if (m_statusNote != note)
            return;
        m_statusNote.clear();
        if (Timer1->isActive())
            onStatusTick();
    });
}

void Form1::keepMacroBoxOneLine(QLineEdit *box)
{
    const QString text = box->text();
    const QString line = oneLineMacroText(text);
    if (line == text)
        return;
    const int cursor = box->cursorPosition() - int(text.size() - line.size());
    box->setText(line);
    box->setCursorPosition(qBound(0, cursor, int(line.size())));
}

void Form1::saveSettingsFile(const QString &path, const QByteArray &bytes)
{
    QString why = saveWholeFile(path, bytes);
    if (why.isEmpty()) {
        m_failingFiles.removeAll(path);
        return;
    }
    // Once per spell of failures of that file, naming it and the cause; not
    // at all when the user already knows its folder could not be made.
    if (m_failingFiles.contains(path) || m_failingFiles.contains(QFileInfo(path).absolutePath()))
        return;
    m_failingFiles.append(path);
    while (why.endsWith(QLatin1Char('.')))
        why.chop(1);
    tellUser(QStringLiteral("The settings file %1 could not be saved: %2.\n\n"
                            "The settings in it will not be there at the next start.")
                 .arg(QDir::toNativeSeparators(path), why));
}
