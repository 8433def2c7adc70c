#pragma once

#include "app/form1options.h"

#include "alerts/alertcommandrunner.h"
#include "alerts/alertmoment.h"
#include "alerts/desktopnotifier.h"
#include "intel/harvestdriver.h"
#include "link/radioexchange.h"

#include "link/clock.h"
#include "link/commandsequencer.h"
#include "link/noanswerwatch.h"
#include "link/radioport.h"
#include "log/historyplayer.h"
#include "log/hitlogfilequeue.h"
#include "log/hitlogtext.h"
#include "log/loggridmodel.h"
#include "poll/hitdetector.h"
#include "poll/hitrecording.h"
#include "poll/listencapture.h"
#include "poll/mediasystem.h"
#include "poll/pollpacing.h"
#include "poll/repeatedreplies.h"
#include "poll/widgets/screenlabel.h"
#include "store/hitdatabase.h"
#include "tuning/quickscan.h"
#include "tuning/skiplist.h"
#include "tuning/widgets/tunerpage.h"
#include "web/webremote.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QTemporaryDir>
#include <QTimer>
#include <QPixmap>
#include <QSet>
#include <QWidget>

#include <memory>
#include <optional>

class AlertsPanel;
struct AlertNotice;
class ExtendedTextBox;
class HarvestPanel;
class HistoryPanel;
class HitLogView;
class KeyButton;
class LevelMeter;
class LcdFrame;
class SignalMeter;
class WheelSupport;
class clsStyle;
struct LayoutTransition;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QImage;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
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
    // Serial access: the group hint beside the COM port list.
    void updateSerialAccessHint();
    // Accessible names for the controls that have no caption of their own.
    void nameControls();
    void explainSerialAccess();
    void tellUser(const QString &text);
    void focusLogo();
    void onTabChanged(int index);
    void ApplyAlwaysOnTop();

    // The poll's parts.
    void handleReception(const QList<QByteArray> &win);
    // Hits on the air when the link stops (Stop, unplug, shutdown).
    void endHitOnAir();
    // The time of day as hits are logged with it, formatted once a second.
    QString timeOfDayNow();
    void applyHitResult(const HitTickResult &result, bool wasActive);
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
    QTime m_timeOfDayAt;
    QString m_timeOfDayText;

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
    QPushButton *serialAccessHint = nullptr;
    QCheckBox *RecordAudioCheck = nullptr;
    QCheckBox *LogTextCheck = nullptr;
    QCheckBox *AlwaysOnTopCheck = nullptr;
    QPushButton *log_dir = nullptr;
    QLabel *dataFolderLabel = nullptr;

    QComboBox *direct_entry_mod = nullptr;
    QComboBox *direct_entry_mod2 = nullptr;
    QComboBox *direct_entry_state = nullptr;
    QComboBox *direct_entry_state2 = nullptr;

    // The link's recovery: the device behind a COM port number, the watch
    // for a radio that went away, Stop after the running key, macros shown
    // while they play, settings that cannot be written.
    void connectLinkRecovery();
    void watchForDevice();
    void onDeviceWatchTick();
    void onSequencerIdle();
    void syncHeldKeys();
    void showMacroProgress(int macro, int item, int items);
    void keepMacroBoxOneLine(QLineEdit *box);
    void saveSettingsFile(const QString &path, const QByteArray &bytes);
    QTimer *m_deviceWatch = nullptr;
    QString m_chosenDevice; // stable name of the device the chosen number stands for
    QStringList m_leftOutDevices;
    QStringList m_failingFiles;
    bool m_lossTold = false;
    bool m_closeWhenIdle = false;
    bool m_fKeyOnRadio = false;
    bool m_revKeyOnRadio = false;
    std::optional<QString> m_statusBeforeMacro;
    QString m_statusNote; // shown in the status line instead of the hit's state
    void showStatusNote(const QString &note, int forMs);
    // How long a routine note stays in the status line.
    static constexpr int statusNoteMs = 5000;

    QLineEdit *m1 = nullptr;
    QLineEdit *m2 = nullptr;
    QLineEdit *m3 = nullptr;
    QPushButton *SaveMacrosButton = nullptr;
    QComboBox *Vol_Combo = nullptr;
    QComboBox *Sql_Combo = nullptr;
    QPushButton *cmd_set_vol = nullptr;
    QPushButton *cmd_set_sql = nullptr;

    // Tuning tools: the two direct entry panels, the quick scan, the auto skip
    // list and the FCC licence lookup (form1_tuning.cpp).
    void connectTuning();
    void TuneDirect(const DirectEntryPanel &panel);
    void OpenFccLookup(const DirectEntryPanel &panel);
    void ToggleQuickScan();
    void QuickScanTick();
    void ApplySkipList();
    int skipMatches(const QString &winFrequencyRaw, const QString &talkgroup,
                    const QString &stsField3);
    // A field the user types into: while it has the focus, keys are text.
    bool isTypingField(const QObject *watched) const;
    // A one-line typing field: Enter leaves it for the logo.
    bool isLineField(const QObject *watched) const;
    TunerPage m_tuner;
    QLineEdit *direct_entry = nullptr;
    QLineEdit *direct_entry2 = nullptr;
    QPlainTextEdit *Quick_Scan_List = nullptr;
    QPushButton *key_start_quck_scan = nullptr;
    QPlainTextEdit *Auto_Skip_List = nullptr;
    QPushButton *key_auto_skip_list_apply = nullptr;
    QLabel *debug_box2 = nullptr;
    QuickScan m_quickScan;
    SkipList m_skipList;

    // Reading the radio's programming into hit_intel.txt (form1_harvest.cpp).
public:
    void StartHarvest();
    void HarvestHitIntelligence();
    void cancelHarvest();
    // From StartHarvest until the walk has ended or been given up.
    bool isHarvesting() const;
    const HarvestDriver &harvest() const { return m_harvest; }

private:
    void buildHarvestPanel(QWidget *page);
    void connectHarvest();
    void onHarvestProgressed();
    void onHarvestFinished();
    void onPortStateForHarvest(RadioPort::State state);
    void endHarvest(const QString &progressText);

    RadioExchange m_exchange{m_port};
    HarvestDriver m_harvest{m_exchange};
    HarvestPanel *harvestPanel = nullptr;

    // Hit audio recording on the chosen audio input, and the extended info
    // of each hit (app/form1_recording.cpp, app/form1_extended.cpp).
public:
    const HitRecording &recording() const { return *m_recording; }
    bool recording_active() const { return m_recording->recording_active(); }
    int recording_counter() const { return m_recording->recording_counter(); }
    void ShowExtendedInfo();
    bool LoadFileToTB(QPlainTextEdit *TxtBox, const QString &FilePath, bool Append);

private:
    void buildAudioInputFrame(QWidget *page);
    void buildExtendedInfoWidgets(QGroupBox *frame);
    void ensureAudioDevices();
    void tryAudio();
    void refreshAudioInputs();
    void onAudioInputChosen(int index);
    void startHitRecording();
    void stopHitRecording(const FinishedHit &hit);
    void reportRecording(const HitRecording::Outcome &outcome);
    void onRecordAudioToggled();
    void showPicture(const QImage &picture);
    // The built-in stand-by picture, drawn at its first showing.
    QPixmap standByPixmap();

    // The sound system, loaded when first needed; null when it could not
    // be loaded.
    MediaSystem *mediaSystem();
    QTemporaryDir m_recordingTemp;
    std::unique_ptr<MediaSystem> m_media;
    bool m_mediaTried = false;
    QString m_mediaError;
    std::unique_ptr<InputRecorder> m_soundRecorder;
    std::unique_ptr<AudioRecorder> m_recorder;
    std::unique_ptr<HitRecording> m_recording;
    QByteArray m_rememberedInput;
    QComboBox *audio_input = nullptr;
    LevelMeter *audio_level = nullptr;
    QLabel *audio_input_note = nullptr;
    QGroupBox *extended_info_frame = nullptr;
    QLabel *extended_photo = nullptr;
    ExtendedTextBox *extended_text = nullptr;

    // The sound system loaded only when something needs it: the audio
    // inputs shown, a recording wanted, an alert that records or chimes
    // (app/form1_recording.cpp).
    bool soundWantedSoon() const;
    void onAudioInputShown();
    // The inputs are listed once, whoever loaded the sound system.
    bool m_audioInputsListed = false;

    // The window's layouts, its style object and the logo's web page.
public:
    void StepLayoutSmaller();
    void StepLayoutLarger();
    clsStyle *windowStyle() const { return m_style; }

private:
    void buildLayoutControls();
    void applyLayoutTransition(const LayoutTransition &transition);
    void restoreLayout(int stored);
    void setOuterSizeTwips(int width, int height);
    void openProjectPage();

    clsStyle *m_style = nullptr;
    QPushButton *button_mini_plus_hold_win = nullptr;
    QPushButton *button_maxi_plus_hold_win = nullptr;

    // The "History" tab (form1_history.cpp).
    QWidget *buildHistoryTab();
    void buildHistoryPanel();
    void startHistoryLoad();
    bool historyTakesKey(QObject *watched) const;
    QWidget *historyPage = nullptr;
    HistoryPanel *History = nullptr; // made when the tab is first opened
    bool m_historyStarted = false;

public:
    // Null until the History tab has been opened.
    HistoryPanel *historyPanel() const { return History; }

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
    // The system's devices are asked for (or a test's stand-in for them).
    bool listsSystemPorts() const;
    void onFirstPaint();
    bool m_systemPortsListed = false;
    bool m_firstPaintSeen = false;
    bool m_audioTrialPending = false;
    QPixmap m_standByPixmap;

    // Start-up to the first paint: what that paint does not show is made
    // once it has reached the screen (form1_controls.cpp).
    // The tool tips of the drawn keys and of Run, which name their keyboard
    // shortcuts.
    void setKeyToolTips();

    // Slow links: the poll sends its next set once the last one is answered,
    // and the Settings tab tells what the speed carries (form1_pacing.cpp).
    void connectPacing();
    bool pacePoll();
    void onRepliesArriving();
    void showSpeedNote();
    PollPacing m_pacing;
    QElapsedTimer m_sinceSetSent;
    QLabel *speed_note = nullptr;

    // Finding the controls: key help, layout menu, growing full layout.
public:
    // Steps through the layouts to the one named, as the screen's menu does.
    void chooseLayout(const QString &mode);
    void showKeyHelp();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The keys' tool tips, the window's shortcuts, the "Keys" button and
    // the macro boxes' example text (form1_controls.cpp).
    void buildControlHelp();
    void showScreenMenu(const QPoint &globalPos);
    // The full layout's window may grow; every other layout's keeps its size.
    void fitLayoutSize();
    void layOutGrownParts();
    QSize fullLayoutSize() const;
    void restoreWindowSize();
    void saveWindowSize();
    QPushButton *key_help = nullptr;
    QWidget *m_keyHelp = nullptr; // made at its first showing, kept when closed
    QSize m_fullClientSize; // the full layout's size when it was left; invalid: its design size
    // Tuning lists kept across restarts; the log table's menu.
    // (form1_tuningsettings.cpp, form1_logmenu.cpp, form1_tuning.cpp)
private:
    // tuning_settings.txt: the MHz fields, their modulations, the levels and
    // the two lists, applied at start-up (the skip list as by "Apply") and
    // written at shutdown, with the macro boxes edited and not saved.
    void loadTuningSettings();
    void saveTuningSettings();
    void saveEditedMacros();
    // Enter in a one-line field: a MHz field tunes its panel, any other
    // leaves for the logo.
    void leaveLineField(QObject *field);
    // Space or Enter on a focused "Tune" or "FCC" button presses it.
    bool tunerButtonTakesKey(QObject *watched, const QKeyEvent *event);
    // False when the frequency has no point: there is nothing to look up.
    bool openLicenceSearch(const QString &stateCode, const QString &frequency);
    void connectLogMenu();
    void showLogMenu(const QPoint &at);
    void skipFromLog(const QString &line);
    // The recording of a logged hit, or empty when none is found.
    QString logRecordingPath(const QString &logLine) const;
    void playLogRecording(const QString &path);
    // The selected hit is known by its line and its place counted from the
    // oldest line, which new hits on top do not change.
    void rememberLogSelection();
    void restoreLogSelection();
    HistoryPlayer m_logPlayer;
    QString m_selectedHitLine;
    qsizetype m_selectedFromEnd = -1;
    // Data safety: clear confirmation, log folder, data-folder lock, quiet shutdown.
public:
    // Shows the window above the others: a second start on the same data
    // folder asks for it.
    void showRunningWindow();
    // The session is ending: what shutdown saves is saved now, quietly.
    void saveForSessionEnd();

private:
    void buildLogFolderLabel();
    void showLogFolder();
    // A yes/no question whose default is No; true for Yes.
    bool askUser(const QString &question);
    // A routine confirmation: the status line says it for a few seconds.
    void tellUserBriefly(const QString &text);
    // While shutting down: standard error and the status line, never a box.
    void tellUserQuietly(const QString &text);
    // This run's file follows a new log folder instead of staying behind.
    void moveThisRunsFile(const QString &from);
    void savePgmSettings();
    QLabel *logFolderLabel = nullptr;
    bool m_quiet = false;
    // Alerts: rules checked when a hit starts, and their notices, sounds,
    // commands and recordings (form1_alerts.cpp).
public:
    AlertsPanel *alertsPanel() const { return m_alertsPanel; }
    // Runs the notice, sound and command of the rule of that id on the hit,
    // cooldown aside.
    void runAlertActions(int ruleId, const AlertHit &hit);

private:
    QWidget *buildAlertsTab();
    void saveAlerts();
    void checkAlerts(const HitTickResult &result);
    void showAlertNotice(const AlertNotice &notice);
    void showAlertInWindow(const QString &why, const QString &summary);
    void playAlertSound(const AlertRule &rule);
    void runAlertCommand(int ruleId, const AlertRule &rule, const AlertHit &hit);
    void onAlertCommandFinished(const AlertCommandRunner::Result &result);
    AlertsPanel *m_alertsPanel = nullptr;
    AlertMoment m_alertMoment;
    AlertCooldown m_alertCooldown;
    DesktopNotifier *m_notifier = nullptr;
    AlertCommandRunner *m_alertCommands = nullptr;
    std::unique_ptr<RecordingPlayer> m_alertPlayer;
    QSet<int> m_failingAlertCommands;
    QString m_alertTitleNote; // after the window title while a notice cannot be shown
    bool m_alertRulesSavable = true;
    bool m_alertNoticeFailTold = false;
    bool m_recordThisHit = false; // a rule asked for this hit's recording
    // The hit database.
private:
    void startHitDatabase();
    // The hit's line number in the database's run, or 0 when it is not stored.
    int storeHit(const FinishedHit &hit, const QString &recordingPath);
    // Recordings saved by a retry reach their hits' rows.
    void storeRecordingsSavedLater(const QList<std::pair<QString, QString>> &saved);
    QHash<QString, int> m_recordingsWaiting; // the path meant for -> the hit's line
    void importRunFiles();
    QString runName() const;
    // "Keep recordings for N days", "at most N GB", on the History tab.
    void buildRetentionRow();
    void onRetentionChanged();
    std::unique_ptr<HitDatabase> m_hitDatabase;
    int m_storedHits = 0;
    QCheckBox *keep_days_check = nullptr;
    QSpinBox *keep_days = nullptr;
    QCheckBox *keep_gb_check = nullptr;
    QSpinBox *keep_gb = nullptr;
    // The radio that does not answer.
    // After two seconds of asking, the status line and the screen say so;
    // Stop shows on the screen (form1_noanswer.cpp); a radio gone away
    // is told once.
    void connectNoAnswer();
    // The poll has asked, and read what it found waiting.
    void pollAsked(const QByteArray &read);
    void heardFromRadio(QByteArrayView bytes);
    void onNoAnswerTimeout();
    void showStopped();
    void showOnScreen(const QString &text);
    NoAnswerWatch m_noAnswer;
    QElapsedTimer m_noAnswerClock;
    QTimer *m_noAnswerTimer = nullptr;
    QString m_noAnswerText; // shown in the status line while not empty
    bool m_lossMessageOpen = false; // the message of a radio gone away waits for the user

    // Web remote: the page served to browsers here or on the home network,
    // its frame on the Settings tab and "Listen" (form1_web.cpp).
public:
    // Null until the web remote is first turned on and its module loaded.
    WebRemote *webRemote() const { return m_web.get(); }

private:
    // Adds the frame below the Settings tab's others; the tab then scrolls.
    QWidget *withWebRemoteFrame(QWidget *page);
    void showWebPasswordState();
    void saveWebRemoteSettings();
    // Starts, restarts or stops the server as the frame says.
    void applyWebRemote();
    // Loads the web remote module the first time it is needed; false, and
    // the frame says why, when it cannot be loaded.
    bool ensureWebRemote();
    void publishScreen();
    void publishHit(const StoredHit &stored);
    void onWebListeners(int count);
    std::unique_ptr<WebHitSource> m_webHits;
    std::unique_ptr<WebRemote> m_web;
    std::unique_ptr<ListenCapture> m_listen;
    QByteArray m_webPasswordHash;
    QCheckBox *web_remote_on = nullptr;
    QSpinBox *web_port = nullptr;
    QCheckBox *web_allow_others = nullptr;
    QLineEdit *web_password = nullptr;
    QLabel *web_address = nullptr;
    QLabel *web_qr = nullptr;

private:
    // The poll's cost while idle (form1_poll.cpp): the last replies kept
    // split and decoded, and the rest of a set read in one wake-up
    // (form1_pacing.cpp).
    RepeatedReplies m_lastReplies;
    void holdRestOfReplies();
    JoinedRepaint m_screenRepaint; // the screen boxes' repaints as one strip
};
