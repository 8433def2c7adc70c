#pragma once

#include "app/form1options.h"

#include "link/clock.h"
#include "link/commandsequencer.h"
#include "link/radioport.h"
#include "log/hitlogfilequeue.h"
#include "log/hitlogtext.h"
#include "log/loggridmodel.h"
#include "poll/hitdetector.h"
#include "poll/pollpacing.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QTimer>
#include <QWidget>

class HitLogView;
class KeyButton;
class LcdFrame;
class SignalMeter;
class WheelSupport;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

// The main window: it owns the widgets, the timers and the form-level state,
// and wires the link, the poll, the log and the keypad together. The logic
// itself lives in the classes it holds.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(Form1Options options, QWidget *parent = nullptr);
    ~Form1() override;

    // The serial channel.
    bool OpenRadioPort();
    void RunStop();
    void SendCommand(const QByteArray &command);

    // One poll tick.
    void PollRadio();

    // Runs on COM port 1 at the highest speed, as the demo does at once,
    // whatever was saved.
    void runOnFirstPort();
    bool isRunning() const { return Command2Caption() == QLatin1String("Stop"); }

    // Plays a drawn key's operation (a click, the keyboard, the wheel).
    void runKeyOperation(const QString &keyName);
    void PlayMacro(QLineEdit *box);

    // The log of this run.
    void WriteHitLogFile();
    QString hitLogFilePath() const;
    // The file is written on a thread of its own; this waits for the newest
    // text to be on disk and for its outcome to be handled.
    void flushLogFile();

    static bool FileExists(const QString &path);
    QString Command2Caption() const;

    // For the program and its tests to look at.
    RadioPort &port() { return m_port; }
    const HitDetector &hits() const { return m_hits; }
    const HitLogText &hitLog() const { return m_log; }
    const LogGridModel &logGrid() const { return m_grid; }
    const CommandSequencer &sequencer() const { return m_sequencer; }
    QString dataFolder() const { return m_options.dataFolder; }
    QString comPortDevice(int number) const;
    const QList<QByteArray> &stsFields() const { return sts_fields; }
    const QList<QByteArray> &glgFields() const { return glg_fields; }

    // Form-level state, under the names the rest of the program knows.
    QString display_mode = QStringLiteral("full");
    QString log_folder;
    QString startup_date;
    QString startup_time;
    bool text_entry_focus = false;
    bool quick_scan_running = false;
    bool f_key_held = false;
    bool rev_key_held = false;
    bool grid_blank_fill = true;
    bool recording_active = false;
    int recording_counter = 1;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building the window.
    void buildWidgets();
    void buildScreen();
    void buildKeypad();
    void buildTabs();
    QWidget *buildLogTab();
    QWidget *buildExtendedInfoTab();
    QWidget *buildTunerTab();
    QWidget *buildSettingsTab();
    void connectWidgets();

    // Start-up, port choice, Run/Stop and shutdown.
    void startUp();
    void shutDown();
    void applyComSettings(const QByteArray &file);
    void applyPgmSettings(const QByteArray &file);
    void refreshPortList();
    void onComPortChosen(int index);
    void onSpeedChosen(int index);
    void audioSetUp();
    void startRunning();
    void stopRunning();
    void onPortLost(const QString &reason);
    void setChoiceLocked(bool locked);
    void setChoiceColour(bool locked);
    void tellUser(const QString &text);
    void focusLogo();
    void onTabChanged(int index);
    void ApplyAlwaysOnTop();

    // The poll's parts.
    void handleReception(const QList<QByteArray> &win);
    void updateSixLineDisplay();
    void showFourLineDisplay();
    void UpdateWindowTitle();
    void onStatusTick();

    // The log.
    void onLogChanged();
    void onLogFileWritten(const HitLogFileWriter::WriteOutcome &outcome);
    void RebuildLogGrid();
    void SetUpLogGrid();
    void onLogTextCheckClicked();
    void onLogDirClicked();
    void onClearLogClicked();

    // Keys, macros, volume and squelch.
    void stopQuickScan();
    bool handleKeyPress(QKeyEvent *event);
    void SaveMacros();
    void loadMacros();
    void setVolume();
    void setSquelch();

    Form1Options m_options;
    Clock m_systemClock;
    const Clock *m_clock;
    QLocale m_locale;
    QString m_timeFormat = timeOfDayFormat(m_locale);

    RadioPort m_port;
    CommandSequencer m_sequencer;
    HitDetector m_hits;
    HitLogText m_log;
    HitLogFileQueue m_logFile;
    LogGridModel m_grid;
    WheelSupport *m_wheel = nullptr;
    QStringList m_portDevices;
    QString m_openError;
    bool m_shutDown = false;

    QList<QByteArray> sts_fields;
    QList<QByteArray> glg_fields;

    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    QTimer *Timer3 = nullptr;
    QTimer *Timer4 = nullptr;

    // The radio's screen.
    LcdFrame *Picture2 = nullptr;
    QLabel *Text1 = nullptr;
    QLabel *sigdisplay = nullptr;
    QLabel *moddisp = nullptr;
    QLabel *IconsSet1 = nullptr;
    QLabel *IconsSet2 = nullptr;
    QLabel *freq = nullptr;
    QLabel *floating_taskbar = nullptr;
    SignalMeter *sigpic = nullptr;

    QHash<QString, KeyButton *> m_keys;

    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QWidget *Picture1 = nullptr;
    QLabel *debug_box = nullptr;

    QTabWidget *SSTab1 = nullptr;
    QPushButton *key_clear_log = nullptr;
    QTableView *grdInfo = nullptr;
    HitLogView *logbox = nullptr;

    QComboBox *Combo1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label10 = nullptr;
    QPushButton *Command2 = nullptr;
    QCheckBox *RecordAudioCheck = nullptr;
    QCheckBox *LogTextCheck = nullptr;
    QCheckBox *AlwaysOnTopCheck = nullptr;
    QPushButton *log_dir = nullptr;
    QLabel *dataFolderLabel = nullptr;

    QComboBox *direct_entry_mod = nullptr;
    QComboBox *direct_entry_mod2 = nullptr;
    QComboBox *direct_entry_state = nullptr;
    QComboBox *direct_entry_state2 = nullptr;

    QLineEdit *m1 = nullptr;
    QLineEdit *m2 = nullptr;
    QLineEdit *m3 = nullptr;
    QPushButton *SaveMacrosButton = nullptr;
    QComboBox *Vol_Combo = nullptr;
    QComboBox *Sql_Combo = nullptr;
    QPushButton *cmd_set_vol = nullptr;
    QPushButton *cmd_set_sql = nullptr;

    // Performance: a quick start, the poll's pacing on slow links and the
    // end of a hit's logging for the benchmarks.
public:
    // The end of a hit's logging, as the poll does it: the line goes on top
    // of the log, and the box, the file and the table follow.
    void logHitLine(const QString &line);

private:
    // A quick start: the system's serial devices are listed once the window
    // is up, or when a port needs them (form1_startup.cpp).
    void fillPortList(bool withSystemPorts);
    void onFirstPaint();
    bool m_systemPortsListed = false;
    bool m_firstPaintSeen = false;

    // Slow links: the poll sends its next set once the last one is answered,
    // and the Settings tab tells what the speed carries (form1_pacing.cpp).
    void connectPacing();
    bool pacePoll();
    void onRepliesArriving();
    void showSpeedNote();
    PollPacing m_pacing;
    QElapsedTimer m_sinceSetSent;
    QLabel *speed_note = nullptr;
};
