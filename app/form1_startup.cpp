// Start-up, the port choice, Run/Stop and shutdown.
#include "app/form1.h"
#include "app/settingsfiles.h"
#include "app/startahead.h"

#include "link/portcatalogue.h"
#include "link/twips.h"
#include "log/fixforlog.h"
#include "tuning/statecodes.h"
#include "window/layouttable.h"
#include "window/widgets/wheelsupport.h"
#include "window/widgets/windowstyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

#include <filesystem>
#include <system_error>

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

    // The hit and recording state start idle (their own defaults), the log table
    // blank and the layout full.
    grid_blank_fill = true;
    display_mode = QStringLiteral("full");

    const QDateTime now = m_clock->now();
    QString time = timeOfDayText(now.time());
    startup_time = FixForLog(time);
    startup_date = dateText(now.date());

    Text3->setText(QStringLiteral("Select COM Port"));
    Text4->setText(QStringLiteral("Tollvane - V" TOLLVANE_VERSION));
    Timer1->setInterval(100);

    // Without its data folder nothing the user sets is kept: say so once.
    std::error_code folderError;
    std::filesystem::create_directories(QFile::encodeName(m_options.dataFolder).toStdString(),
                                        folderError);
    if (folderError && !QFileInfo(m_options.dataFolder).isDir()) {
        const QString why = QStringLiteral("The data folder %1 could not be made: %2.\n\n"
                                           "Settings and macros will not be kept.")
                                .arg(QDir::toNativeSeparators(m_options.dataFolder),
                                     QString::fromStdString(folderError.message()));
        m_failingFiles.append(QFileInfo(m_options.dataFolder).absoluteFilePath());
        QTimer::singleShot(0, this, [this, why] { tellUser(why); });
    }

    // Listing the system's serial devices takes a while: the window shows
    // first, unless the saved port needs them to open now.
    fillPortList(false);
    setChoiceColour(false);

    const QString comPath = m_options.dataFolder + comSettingsName;
    const bool haveComSettings = FileExists(comPath);
    if (haveComSettings) {
        bool namesItsDevice = false;
        if (const auto file = readSettingsFile(comPath)) {
            applyComSettings(*file);
            namesItsDevice = readComSettings(*file).device.has_value();
        }
        Command2->setEnabled(true);
        if (OpenRadioPort()) {
            startRunning();
            // A choice saved without its device: whatever sits at the number
            // now was opened, so say which.
            if (!namesItsDevice)
                showStatusNote(QStringLiteral("Running on COM %1").arg(Combo1->currentText()),
                               10000);
        } else {
            // A saved port that is gone or busy: start stopped, with the
            // lists usable, and say why once the window is up. A device
            // that is only missing is opened when it is plugged in.
            const QString why = m_openError;
            Text3->setText(QStringLiteral("Port not opened"));
            QTimer::singleShot(0, this, [this, why] { tellUser(why); });
            if (deviceIndex(m_portDevices, m_chosenDevice) < 0)
                watchForDevice();
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
    loadTuningSettings();

    SetUpLogGrid();

    if (!haveComSettings) {
        SSTab1->setCurrentIndex(3);
        key_clear_log->hide();
    }

    m_style = new clsStyle(this);
    m_style->setClient(this);

    const QString pgmPath = m_options.dataFolder + pgmSettingsName;
    if (FileExists(pgmPath)) {
        if (const auto file = readSettingsFile(pgmPath))
            applyPgmSettings(*file);
    }
    restoreWindowSize();
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
    if (settings.device) {
        m_chosenDevice = *settings.device;
        const qsizetype at = deviceIndex(m_portDevices, m_chosenDevice);
        if (at >= 0) {
            const QSignalBlocker block(Combo1);
            Combo1->setCurrentIndex(int(at));
        }
    }
}

void Form1::applyPgmSettings(const QByteArray &file)
{
    const PgmSettings s = readPgmSettings(file, direct_entry_state->count());
    // The log folder is taken first: ticking "Log To Text File" writes the
    // run's file at once, and it belongs in that folder, not in ours.
    if (s.logFolder) {
        log_folder = *s.logFolder;
        showLogFolder();
    }
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
    if (s.layout)
        restoreLayout(*s.layout);
    if (s.left || s.top) {
        // The position is the client area's, as shutdown saves it.
        const QPoint was = geometry().topLeft();
        const QPoint at(qRound(s.left.value_or(was.x() * twipsPerPixel) / twipsPerPixel),
                        qRound(s.top.value_or(was.y() * twipsPerPixel) / twipsPerPixel));
        // A position off every screen (a monitor since unplugged) is ignored.
        if (QGuiApplication::screenAt(at))
            setGeometry(QRect(at, size()));
    }
}

void Form1::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    // The radio is not left in programming mode.
    if (isHarvesting())
        cancelHarvest();
    if (m_wheel)
        m_wheel->RemoveWheelSupport(this);
    endHitOnAir();
    if (m_style)
        m_style->setClient(nullptr);
    // From here on a failure goes to standard error and the status line: a
    // box would keep the program from ending.
    m_quiet = true;

    savePgmSettings();
    const HitRecording::Outcome recordings = m_recording->finish();
    storeRecordingsSavedLater(recordings.savedLater);
    if (recordings.tellUser)
        tellUser(recordings.message);
    // The log is written one last time: a write that failed on a full disk
    // catches up here if there is room again.
    if (LogTextCheck->isChecked() && !m_log.text().isEmpty())
        WriteHitLogFile();
    flushLogFile();
}

void Form1::savePgmSettings()
{
    PgmValues values;
    // The settings file knows the four tabs of old; the History tab is kept as the Log's.
    values.tab = SSTab1->currentIndex() < tabCount ? SSTab1->currentIndex() : 0;
    values.recordAudio = RecordAudioCheck->isChecked();
    values.logText = LogTextCheck->isChecked();
    values.alwaysOnTop = AlwaysOnTopCheck->isChecked();
    values.state1 = direct_entry_state->currentIndex();
    values.state2 = direct_entry_state2->currentIndex();
    values.layout = storedLayoutNumber(display_mode);
    // The client area's position, never the frame's: while a change of the
    // window flags re-creates the frame, its size is not known.
    values.left = geometry().x() * twipsPerPixel;
    values.top = geometry().y() * twipsPerPixel;
    values.logFolder = log_folder;
    saveSettingsFile(m_options.dataFolder + pgmSettingsName, writePgmSettings(values));
    saveWindowSize();
    saveTuningSettings();
}

bool Form1::listsSystemPorts() const
{
    return m_options.listSystemPorts || m_options.systemPorts;
}

void Form1::refreshPortList()
{
    fillPortList(listsSystemPorts());
}

void Form1::onFirstPaint()
{
    if (m_firstPaintSeen)
        return;
    m_firstPaintSeen = true;
    // The window is still being painted: the hit database opens, and the
    // keys get their tool tips, once the paint has reached the screen.
    QTimer::singleShot(0, this, [this] {
        startHitDatabase();
        setKeyToolTips();
    });
    QTimer::singleShot(0, this, [this] {
        if (soundWantedSoon())
            ensureAudioDevices();
        if (m_audioTrialPending && !recording_active())
            tryAudio();
    });
    if (listsSystemPorts() && !m_systemPortsListed)
        QTimer::singleShot(0, this, [this] {
            if (!m_systemPortsListed)
                refreshPortList();
        });
}

void Form1::fillPortList(bool withSystemPorts)
{
    m_systemPortsListed = withSystemPorts;
    QStringList system;
    if (withSystemPorts && m_options.systemPorts) {
        system = m_options.systemPorts();
    } else if (withSystemPorts) {
        system = systemSerialDevices();
    }
    QStringList leftOut;
    m_portDevices = comPortDevices(m_options.givenPorts, system, comPortCount, &leftOut);
    const QSignalBlocker block(Combo1);
    // The chosen device keeps its place in the choice wherever it now sits.
    const qsizetype chosenAt = deviceIndex(m_portDevices, m_chosenDevice);
    const int index = chosenAt >= 0 ? int(chosenAt) : Combo1->currentIndex();
    Combo1->clear();
    for (int n = 1; n <= comPortCount; ++n)
        Combo1->addItem(comPortItemText(n, m_portDevices.at(n - 1)));
    Combo1->setCurrentIndex(index);
    updateSerialAccessHint();

    QStringList newlyLeftOut;
    for (const QString &device : std::as_const(leftOut)) {
        if (!m_leftOutDevices.contains(device))
            newlyLeftOut.append(device);
    }
    m_leftOutDevices = leftOut;
    if (!newlyLeftOut.isEmpty()) {
        const QString why =
            QStringLiteral("Only %1 COM port numbers are offered; these devices are left out: "
                           "%2.\nName the radio's device first with --port to reach it.")
                .arg(comPortCount)
                .arg(newlyLeftOut.join(QLatin1String(", ")));
        QTimer::singleShot(0, this, [this, why] { tellUser(why); });
    }
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
    // Loading the sound system would hold back the window's first showing:
    // before it, the audio is tried right after the first paint.
    if (m_firstPaintSeen)
        tryAudio();
    else
        m_audioTrialPending = true;
    Command2->setEnabled(true);
    Text3->setText(QStringLiteral("Hit Run"));
}

void Form1::tryAudio()
{
    m_audioTrialPending = false;
    // A refusal is told only when "Record Audio" is ticked; without it the
    // trial shows nothing, and is not worth loading the sound system for.
    if (!RecordAudioCheck->isChecked() && !m_mediaTried)
        return;
    ensureAudioDevices();
    reportRecording(m_recording->setUp(RecordAudioCheck->isChecked()));
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
    // The system's devices are listed late (after the first paint); a saved
    // choice that needs them lists them now.
    if (!m_systemPortsListed && listsSystemPorts() &&
        (comPortDevice(number).isEmpty() ||
         (!m_chosenDevice.isEmpty() && deviceIndex(m_portDevices, m_chosenDevice) < 0)))
        refreshPortList();
    if (!m_chosenDevice.isEmpty()) {
        // The device the choice was made for, wherever it now sits; never
        // another one that took its number.
        const qsizetype at = deviceIndex(m_portDevices, m_chosenDevice);
        if (at < 0) {
            m_port.close();
            m_openError =
                QStringLiteral("The radio's device %1 (COM port %2) is not connected. Tollvane "
                               "opens it as soon as it is plugged in; or choose another COM "
                               "port and press Run.")
                    .arg(m_chosenDevice)
                    .arg(number);
            return false;
        }
        if (at + 1 != number) {
            const QSignalBlocker block(Combo1);
            Combo1->setCurrentIndex(int(at));
        }
    }
    const QString device = comPortDevice(leadingPortNumber(Combo1->currentText()));
    if (device.isEmpty()) {
        m_port.close();
        m_openError = QStringLiteral("No serial device stands for COM port %1: plug the radio's "
                                     "cable in, or name its device with --port.")
                          .arg(number);
        return false;
    }
    const bool opened = m_port.OpenRadioPort(device, baud);
    m_openError = opened ? QString() : m_port.errorText();
    if (opened)
        m_chosenDevice = stableDeviceName(device);
    return opened;
}

void Form1::RunStop()
{
    // The user's own Run or Stop ends any watch for a radio gone away.
    m_deviceWatch->stop();
    m_lossTold = false;
    if (Command2->text() == QLatin1String("Run")) {
        refreshPortList();
        if (!OpenRadioPort()) {
            // The program stays stopped and the lists stay usable.
            Text3->setText(QStringLiteral("Port not opened"));
            if (deviceIndex(m_portDevices, m_chosenDevice) < 0)
                watchForDevice();
            tellUser(m_openError);
            focusLogo();
            return;
        }
        startRunning();
        saveSettingsFile(m_options.dataFolder + comSettingsName,
                         writeComSettings(Combo1->currentIndex(), Combo2->currentIndex(),
                                          Timer1->interval(), m_chosenDevice));
        focusLogo();
    } else {
        stopRunning();
        focusLogo();
    }
}

void Form1::startRunning()
{
    m_recording->close();
    m_closeWhenIdle = false;
    Timer1->start();
    Timer3->start();
    setChoiceLocked(true);
    Command2->setText(QStringLiteral("Stop"));
}

void Form1::stopRunning()
{
    endHitOnAir();
    Timer1->stop();
    Timer3->stop();
    setChoiceLocked(false);
    Command2->setText(QStringLiteral("Run"));
    // A key's sequence that has begun ends with its own commands (a held
    // key's release among them) before the line closes; queued keys and
    // the macro items not yet sent are dropped.
    if (m_sequencer.busy()) {
        m_closeWhenIdle = true;
        m_sequencer.stopAfterCurrent();
    } else {
        m_port.close();
    }
    showStopped();
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
    // Reported once by the port; nothing more can reach the radio. Stop as
    // the Stop button would, watch for the device to come back, and say
    // why: once, and again only after the radio has been heard since.
    const bool tell = !m_lossTold || m_port.heardSinceOpen();
    m_sequencer.clear();
    stopRunning();
    Text3->setText(QStringLiteral("Radio lost"));
    watchForDevice();
    // The message waits for the user while the program runs on: the radio
    // may come back and go again meanwhile. That loss adds no second
    // message on top of the one still open.
    if (tell && !m_lossMessageOpen) {
        m_lossTold = true;
        m_lossMessageOpen = true;
        tellUser(reason + QStringLiteral("\nTollvane opens it again by itself when it is "
                                         "plugged back in."));
        m_lossMessageOpen = false;
    }
}

void Form1::onTabChanged(int index)
{
    key_clear_log->setVisible(index == 0);
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
    m_chosenDevice = stableDeviceName(comPortDevice(1));
    RunStop();
}
