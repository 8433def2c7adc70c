// Start-up, the port choice, Run/Stop and shutdown.
#include "app/form1.h"
#include "app/settingsfiles.h"

#include "link/portcatalogue.h"
#include "link/twips.h"
#include "log/fixforlog.h"
#include "tuning/statecodes.h"
#include "window/widgets/wheelsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSerialPortInfo>
#include <QTabWidget>

namespace {

const QString comSettingsName = QStringLiteral("/com_settings.txt");
const QString pgmSettingsName = QStringLiteral("/pgm_settings.txt");

} // namespace

void Form1::startUp()
{
    m_wheel = new WheelSupport(this);
    connect(m_wheel, &WheelSupport::stepped, this, [this](bool up) {
        runKeyOperation(up ? QStringLiteral("key_right") : QStringLiteral("key_left"));
    });
    m_wheel->InstallWheelSupport(this);

    // The hit state starts idle (HitDetector's own defaults), the log table
    // blank and the layout full.
    recording_active = false;
    recording_counter = 1;
    grid_blank_fill = true;
    display_mode = QStringLiteral("full");

    const QDateTime now = m_clock->now();
    QString time = timeOfDayText(now.time());
    startup_time = FixForLog(time);
    startup_date = dateText(now.date());

    Text3->setText(QStringLiteral("Select COM Port"));
    Text4->setText(QStringLiteral("Tollvane - V1.0b2"));
    Timer1->setInterval(100);

    // Listing the system's serial devices takes a while: the window shows
    // first, unless the saved port needs them to open now.
    fillPortList(false);
    setChoiceColour(false);

    const QString comPath = m_options.dataFolder + comSettingsName;
    const bool haveComSettings = FileExists(comPath);
    if (haveComSettings) {
        if (const auto file = readSettingsFile(comPath))
            applyComSettings(*file);
        Command2->setEnabled(true);
        if (OpenRadioPort()) {
            startRunning();
        } else {
            // A saved port that is gone or busy: start stopped, with the
            // lists usable, and say why once the window is up.
            const QString why = m_openError;
            Text3->setText(QStringLiteral("Port not opened"));
            QTimer::singleShot(0, this, [this, why] { tellUser(why); });
        }
    }

    loadMacros();

    if (direct_entry_mod->currentIndex() == -1)
        direct_entry_mod->setCurrentIndex(0);
    if (direct_entry_mod2->currentIndex() == -1)
        direct_entry_mod2->setCurrentIndex(0);
    if (direct_entry_state->currentIndex() == -1)
        direct_entry_state->setCurrentIndex(defaultStateIndex);
    if (direct_entry_state2->currentIndex() == -1)
        direct_entry_state2->setCurrentIndex(defaultStateIndex);

    SetUpLogGrid();

    if (!haveComSettings) {
        SSTab1->setCurrentIndex(3);
        key_clear_log->hide();
    }

    const QString pgmPath = m_options.dataFolder + pgmSettingsName;
    if (FileExists(pgmPath)) {
        if (const auto file = readSettingsFile(pgmPath))
            applyPgmSettings(*file);
    }
}

void Form1::applyComSettings(const QByteArray &file)
{
    const ComSettings settings = readComSettings(file);
    if (settings.portIndex)
        Combo1->setCurrentIndex(*settings.portIndex);
    if (settings.speedIndex)
        Combo2->setCurrentIndex(*settings.speedIndex);
    if (settings.interval)
        Timer1->setInterval(*settings.interval);
}

void Form1::applyPgmSettings(const QByteArray &file)
{
    const PgmSettings s = readPgmSettings(file, direct_entry_state->count());
    // The log folder is taken first: ticking "Log To Text File" writes the
    // run's file at once, and it belongs in that folder, not in ours.
    if (s.logFolder)
        log_folder = *s.logFolder;
    if (s.tab) {
        key_clear_log->hide();
        SSTab1->setCurrentIndex(*s.tab);
        onTabChanged(*s.tab);
    }
    if (s.recordAudio)
        RecordAudioCheck->setChecked(*s.recordAudio);
    if (s.logText && *s.logText != LogTextCheck->isChecked()) {
        LogTextCheck->setChecked(*s.logText);
        onLogTextCheckClicked();
    }
    if (s.alwaysOnTop && *s.alwaysOnTop != AlwaysOnTopCheck->isChecked()) {
        AlwaysOnTopCheck->setChecked(*s.alwaysOnTop);
        ApplyAlwaysOnTop();
    }
    if (s.state1)
        direct_entry_state->setCurrentIndex(*s.state1);
    if (s.state2)
        direct_entry_state2->setCurrentIndex(*s.state2);
    if (s.left || s.top) {
        const QPoint at(qRound(s.left.value_or(x() * twipsPerPixel) / twipsPerPixel),
                        qRound(s.top.value_or(y() * twipsPerPixel) / twipsPerPixel));
        // A position off every screen (a monitor since unplugged) is ignored.
        if (QGuiApplication::screenAt(at))
            move(at);
    }
}

void Form1::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (m_wheel)
        m_wheel->RemoveWheelSupport(this);

    PgmValues values;
    values.tab = SSTab1->currentIndex();
    values.recordAudio = RecordAudioCheck->isChecked();
    values.logText = LogTextCheck->isChecked();
    values.alwaysOnTop = AlwaysOnTopCheck->isChecked();
    values.state1 = direct_entry_state->currentIndex();
    values.state2 = direct_entry_state2->currentIndex();
    values.layout = display_mode == QLatin1String("full") ? 1 : 0;
    values.left = x() * twipsPerPixel;
    values.top = y() * twipsPerPixel;
    values.logFolder = log_folder;
    writeSettingsFile(m_options.dataFolder + pgmSettingsName, writePgmSettings(values));
    m_logFile.waitUntilWritten();
}

void Form1::refreshPortList()
{
    fillPortList(m_options.listSystemPorts);
}

void Form1::onFirstPaint()
{
    if (m_firstPaintSeen)
        return;
    m_firstPaintSeen = true;
    if (m_options.listSystemPorts && !m_systemPortsListed)
        QTimer::singleShot(0, this, [this] {
            if (!m_systemPortsListed)
                refreshPortList();
        });
}

void Form1::fillPortList(bool withSystemPorts)
{
    m_systemPortsListed = withSystemPorts;
    QStringList system;
    if (withSystemPorts) {
        const auto ports = QSerialPortInfo::availablePorts();
        for (const QSerialPortInfo &info : ports)
            system.append(info.systemLocation());
    }
    m_portDevices = comPortDevices(m_options.givenPorts, system, comPortCount);
    const QSignalBlocker block(Combo1);
    const int index = Combo1->currentIndex();
    Combo1->clear();
    for (int n = 1; n <= comPortCount; ++n)
        Combo1->addItem(comPortItemText(n, m_portDevices.at(n - 1)));
    Combo1->setCurrentIndex(index);
}

void Form1::onComPortChosen(int index)
{
    if (index == -1)
        return;
    Combo2->setEnabled(true);
    Text3->setText(QStringLiteral("Select Port Speed"));
}

void Form1::onSpeedChosen(int index)
{
    if (index == -1)
        return;
    audioSetUp();
}

void Form1::audioSetUp()
{
    Text3->setText(QStringLiteral("Setting Up Audio"));
    Command2->setEnabled(true);
    Text3->setText(QStringLiteral("Hit Run"));
}

bool Form1::OpenRadioPort()
{
    const int number = leadingPortNumber(Combo1->currentText());
    const int baud = Combo2->currentText().toInt();
    if (number < 1 || baud <= 0) {
        m_port.close();
        m_openError = QStringLiteral("Select a COM port and a port speed, then press Run.");
        return false;
    }
    if (!m_systemPortsListed && m_options.listSystemPorts && comPortDevice(number).isEmpty())
        refreshPortList();
    const QString device = comPortDevice(number);
    if (device.isEmpty()) {
        m_port.close();
        m_openError = QStringLiteral("No serial device stands for COM port %1: plug the radio's "
                                     "cable in, or name its device with --port.")
                          .arg(number);
        return false;
    }
    const bool opened = m_port.OpenRadioPort(device, baud);
    m_openError = opened ? QString() : m_port.errorText();
    return opened;
}

void Form1::RunStop()
{
    if (Command2->text() == QLatin1String("Run")) {
        if (!OpenRadioPort()) {
            // The program stays stopped and the lists stay usable.
            Text3->setText(QStringLiteral("Port not opened"));
            tellUser(m_openError);
            focusLogo();
            return;
        }
        startRunning();
        writeSettingsFile(
            m_options.dataFolder + comSettingsName,
            writeComSettings(Combo1->currentIndex(), Combo2->currentIndex(), Timer1->interval()));
        focusLogo();
    } else {
        stopRunning();
        focusLogo();
    }
}

void Form1::startRunning()
{
    Timer1->start();
    Timer3->start();
    setChoiceLocked(true);
    Command2->setText(QStringLiteral("Stop"));
}

void Form1::stopRunning()
{
    Timer1->stop();
    Timer3->stop();
    setChoiceLocked(false);
    m_port.close();
    Command2->setText(QStringLiteral("Run"));
}

void Form1::setChoiceLocked(bool locked)
{
    Combo1->setEnabled(!locked);
    Combo2->setEnabled(!locked);
    setChoiceColour(locked);
}

// The captions of the two lists show whether the choice can be changed:
// light grey while running, dark grey while stopped.
void Form1::setChoiceColour(bool locked)
{
    const QColor colour = locked ? QColor(0xc0, 0xc0, 0xc0) : QColor(0x40, 0x40, 0x40);
    for (QLabel *caption : {Label8, Label10}) {
        QPalette palette = caption->palette();
        palette.setColor(QPalette::WindowText, colour);
        caption->setPalette(palette);
    }
}

void Form1::onPortLost(const QString &reason)
{
    // Reported once by the port; stop as the Stop button would and say why.
    stopRunning();
    Text3->setText(QStringLiteral("Radio lost"));
    tellUser(reason + QStringLiteral("\nPlug the radio in again and press Run."));
}

void Form1::onTabChanged(int index)
{
    key_clear_log->setVisible(index == 0);
}

void Form1::ApplyAlwaysOnTop()
{
    const bool on = AlwaysOnTopCheck->isChecked();
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown)
        show();
}

QString Form1::Command2Caption() const
{
    return Command2->text();
}

void Form1::runOnFirstPort()
{
    if (isRunning() && Combo1->currentIndex() == 0)
        return;
    if (isRunning())
        RunStop();
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(Combo2->count() - 1);
    RunStop();
}
