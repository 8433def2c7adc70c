// Building the main window: every element at its design position of the
// "full" layout (twips / 15 = pixels).
#include "app/form1.h"
#include "app/logowidget.h"

#include "link/twips.h"
#include "link/widgets/keybutton.h"
#include "link/widgets/keypad.h"
#include "link/widgets/portlistbox.h"
#include "log/widgets/hitlogview.h"
#include "log/widgets/loggridview.h"
#include "poll/widgets/lcdframe.h"
#include "poll/widgets/screenfont.h"
#include "poll/widgets/screenlabel.h"
#include "poll/widgets/signalmeter.h"
#include "tuning/widgets/tunerpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

namespace {

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *screenLabel(QWidget *parent, const char *name, const QRect &geometry, int pixelSize)
{
    auto *label = named(new ScreenLabel(parent), name);
    label->setGeometry(geometry);
    label->setFont(screenFont(pixelSize));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    // Keep the text clear of the display frame's bezel.
    label->setContentsMargins(6, 0, 0, 0);
    // Dark ink on the display's glass; a palette, not a style sheet, which
    // would bring the style sheet machinery to the whole window at start-up.
    QPalette ink = label->palette();
    ink.setColor(QPalette::WindowText, QColor(0x1d, 0x24, 0x17));
    label->setPalette(ink);
    return label;
}

QTimer *timer(QObject *parent, const char *name, int interval)
{
    auto *t = new QTimer(parent);
    t->setObjectName(QLatin1String(name));
    t->setInterval(interval);
    return t;
}

QComboBox *listOf(QWidget *parent, const char *name, const QStringList &items, const QRect &at)
{
    auto *combo = named(new QComboBox(parent), name);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setGeometry(at);
    return combo;
}

} // namespace

void Form1::buildWidgets()
{
    // The design size of the "full" layout's client area: 11625 x 8370.
    resize(twipsToPixels(11625), twipsToPixels(8370));
    setFocusPolicy(Qt::NoFocus);

    Timer1 = timer(this, "Timer1", 100);
    Timer2 = timer(this, "Timer2", 600);
    // The status word is shown once at Run and again whenever the hit state
    // or "Record Audio" changes: Timer3 fires once, as soon as the window is
    // free, each time it is started.
    Timer3 = timer(this, "Timer3", 0);
    Timer3->setSingleShot(true);
    Timer4 = timer(this, "Timer4", 1000);

    buildScreen();
    buildKeypad();
    buildTabs();

    Text4 = named(new QLineEdit(this), "Text4");
    Text4->setGeometry(twipsToPixels(6840, 2070, 1860, 300));
    Text4->setReadOnly(true);
    Text4->setFocusPolicy(Qt::NoFocus);
    Text3 = named(new QLineEdit(this), "Text3");
    Text3->setGeometry(twipsToPixels(8775, 2070, 2010, 300));
    Text3->setReadOnly(true);
    Text3->setFocusPolicy(Qt::NoFocus);

    Picture1 = named(new LogoWidget(this), "Picture1");
    // Below the tab strip (which ends at 7845), not over its lower edge and
    // the log box, and within the window's 8370.
    Picture1->setGeometry(twipsToPixels(9600, 7860, 1935, 495));

    // The diagnostics box is never shown; a label holds its text as set,
    // CRs included, without laying out a document ten times a second.
    debug_box = named(new QLabel(this), "debug_box");
    debug_box->setTextFormat(Qt::PlainText);
    debug_box->hide();
    debug_box2 = named(new QLabel(this), "debug_box2");
    debug_box2->setTextFormat(Qt::PlainText);
    debug_box2->hide();

    buildLayoutControls();
}

void Form1::buildScreen()
{
    Picture2 = named(new LcdFrame(this), "Picture2");
    Picture2->setGeometry(twipsToPixels(120, 180, 3915, 2070));

    sigdisplay = screenLabel(this, "sigdisplay", twipsToPixels(240, 270, 3300, 270), 13);
    sigpic = named(new SignalMeter(this), "sigpic");
    sigpic->setGeometry(twipsToPixels(3540, 360, 225, 165));
    Text1 = screenLabel(this, "Text1", twipsToPixels(240, 540, 3525, 1365), 18);
    Text1->setText(QStringLiteral("Choose Settings\nThen Hit Run\n"));
    moddisp = screenLabel(this, "moddisp", twipsToPixels(240, 1260, 2300, 255), 13);
    freq = screenLabel(this, "freq", twipsToPixels(2400, 1260, 1365, 255), 13);
    freq->setAlignment(Qt::AlignRight | Qt::AlignTop);
    IconsSet1 = screenLabel(this, "IconsSet1", twipsToPixels(240, 1530, 3525, 255), 13);
    IconsSet2 = screenLabel(this, "IconsSet2", twipsToPixels(240, 1800, 3525, 255), 13);
    m_screenRepaint.setBelow(Picture2);
    for (QLabel *box : {sigdisplay, Text1, moddisp, freq, IconsSet1, IconsSet2})
        static_cast<ScreenLabel *>(box)->joinRepaints(&m_screenRepaint);

    floating_taskbar = named(new QLabel(this), "floating_taskbar");
    floating_taskbar->setGeometry(twipsToPixels(0, 0, 3885, 285));
    floating_taskbar->setFont(screenFont(13));
    floating_taskbar->setTextFormat(Qt::PlainText);
    floating_taskbar->setAutoFillBackground(true);
    floating_taskbar->setText(QStringLiteral(" WWWWWWWWWWWWWWWW/WWWWWWWWWWWWWWWW"));
    floating_taskbar->hide();
}

void Form1::buildKeypad()
{
    m_keys = createKeypad(this);
}

void Form1::buildTabs()
{
    SSTab1 = named(new QTabWidget(this), "SSTab1");
    SSTab1->setGeometry(twipsToPixels(60, 2880, 11505, 4965));
    SSTab1->addTab(buildLogTab(), QStringLiteral("Log"));
    SSTab1->addTab(buildExtendedInfoTab(), QStringLiteral("Extended Info"));
    SSTab1->addTab(buildTunerTab(), QStringLiteral("Tuner"));
    SSTab1->addTab(buildSettingsTab(), QStringLiteral("Settings"));
    SSTab1->addTab(buildHistoryTab(), QStringLiteral("History"));
    SSTab1->addTab(buildAlertsTab(), QStringLiteral("Alerts"));
    SSTab1->setFocusPolicy(Qt::NoFocus);

    key_clear_log = named(new QPushButton(QStringLiteral("Clear Log"), this), "key_clear_log");
    key_clear_log->setGeometry(twipsToPixels(10140, 2880, 1380, 330));
    key_clear_log->setFocusPolicy(Qt::NoFocus);
}

QWidget *Form1::buildLogTab()
{
    auto *page = new QWidget;
    grdInfo = named(new QTableView(page), "grdInfo");
    grdInfo->setGeometry(4, 4, 752, 214);
    grdInfo->setModel(&m_grid);
    setUpLogGridView(grdInfo);

    // The log box paints from the log text itself; it holds no copy.
    logbox = named(new HitLogView(page), "logbox");
    logbox->setGeometry(4, 222, 752, 76);
    logbox->setFont(screenFont(11));
    logbox->setLog(&m_log);
    logbox->setAccessibleName(QStringLiteral("Log"));
    return page;
}

QWidget *Form1::buildExtendedInfoTab()
{
    auto *page = new QWidget;
    auto *frame = new QGroupBox(QStringLiteral("Extended Info"), page);
    frame->setObjectName(QStringLiteral("extended_info_frame"));
    frame->setGeometry(8, 8, 744, 284);
    buildExtendedInfoWidgets(frame);
    return page;
}

QWidget *Form1::buildTunerTab()
{
    m_tuner = createTunerPage();
    direct_entry = m_tuner.panels[0].entry;
    direct_entry2 = m_tuner.panels[1].entry;
    direct_entry_mod = m_tuner.panels[0].modulation;
    direct_entry_mod2 = m_tuner.panels[1].modulation;
    direct_entry_state = m_tuner.panels[0].state;
    direct_entry_state2 = m_tuner.panels[1].state;
    Quick_Scan_List = m_tuner.quickScanList;
    key_start_quck_scan = m_tuner.quickScanStart;
    Auto_Skip_List = m_tuner.skipList;
    key_auto_skip_list_apply = m_tuner.skipApply;
    return m_tuner.page;
}

QWidget *Form1::buildSettingsTab()
{
    auto *page = new QWidget;

    auto *port = named(new QGroupBox(QStringLiteral("Port Settings"), page), "port_frame");
    port->setGeometry(8, 4, 230, 136);
    Label8 = named(new QLabel(QStringLiteral("COM Port:"), port), "Label8");
    Label8->setGeometry(10, 22, 80, 22);
    Combo1 = named(new PortListBox(port), "Combo1");
    Combo1->setGeometry(90, 20, 130, 24);
    Label10 = named(new QLabel(QStringLiteral("Port Speed:"), port), "Label10");
    Label10->setGeometry(10, 50, 80, 22);
    Combo2 = listOf(port, "Combo2",
                    {QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
                     QStringLiteral("57600"), QStringLiteral("115200")},
                    QRect(90, 48, 130, 24));
    Combo2->setEnabled(false);
    // What a slow speed carries, under the speed list.
    speed_note = named(new QLabel(port), "speed_note");
    speed_note->setGeometry(10, 74, 212, 28);
    speed_note->setWordWrap(true);
    QFont small = speed_note->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    speed_note->setFont(small);
    Command2 = named(new QPushButton(QStringLiteral("Run"), port), "Command2");
    Command2->setGeometry(90, 104, 130, 26);
    Command2->setEnabled(false);
    // Shown while the chosen device belongs to a group this user is not in.
    serialAccessHint = named(new QPushButton(port), "serialAccessHint");
    serialAccessHint->setGeometry(6, 104, 80, 26);
    serialAccessHint->setFlat(true);
    QPalette warning = serialAccessHint->palette();
    warning.setColor(QPalette::ButtonText, QColor(176, 0, 0));
    serialAccessHint->setPalette(warning);
    serialAccessHint->hide();

    auto *log = named(new QGroupBox(QStringLiteral("Log Settings"), page), "log_frame");
    log->setGeometry(8, 144, 230, 104);
    LogTextCheck = named(new QCheckBox(QStringLiteral("Log To Text File"), log), "LogTextCheck");
    LogTextCheck->setGeometry(10, 22, 210, 22);
    RecordAudioCheck =
        named(new QCheckBox(QStringLiteral("Record Audio"), log), "RecordAudioCheck");
    RecordAudioCheck->setGeometry(10, 46, 210, 22);
    log_dir = named(new QPushButton(QStringLiteral("Log Directory"), log), "log_dir");
    log_dir->setGeometry(10, 74, 130, 26);

    auto *window = named(new QGroupBox(QStringLiteral("Window Settings"), page), "window_frame");
    window->setGeometry(8, 252, 230, 46);
    AlwaysOnTopCheck =
        named(new QCheckBox(QStringLiteral("Enable Always On Top"), window), "AlwaysOnTopCheck");
    AlwaysOnTopCheck->setGeometry(10, 20, 210, 22);

    QLineEdit **boxes[3] = {&m1, &m2, &m3};
    const char *boxNames[3] = {"m1", "m2", "m3"};
    const char *frameNames[3] = {"Macro1Frame", "Macro2Frame", "Macro3Frame"};
    for (int i = 0; i < 3; ++i) {
        auto *frame =
            named(new QGroupBox(QStringLiteral("Macro %1").arg(i + 1), page), frameNames[i]);
        frame->setGeometry(248, 4 + i * 56, 250, 52);
        *boxes[i] = named(new QLineEdit(frame), boxNames[i]);
        (*boxes[i])->setGeometry(10, 22, 230, 24);
    }
    SaveMacrosButton = named(new QPushButton(QStringLiteral("Save Macros"), page), "SaveMacros");
    SaveMacrosButton->setGeometry(248, 174, 130, 26);

    QStringList levels;
    for (int level = 0; level <= 15; ++level)
        levels.append(QString::number(level));
    auto *vlsq = named(new QGroupBox(QStringLiteral("Volume / Sql"), page), "vlsq");
    vlsq->setGeometry(508, 4, 244, 90);
    Vol_Combo = listOf(vlsq, "Vol_Combo", levels, QRect(10, 24, 70, 24));
    cmd_set_vol = named(new QPushButton(QStringLiteral("Set Vol"), vlsq), "cmd_set_vol");
    cmd_set_vol->setGeometry(90, 23, 90, 26);
    Sql_Combo = listOf(vlsq, "Sql_Combo", levels, QRect(10, 56, 70, 24));
    cmd_set_sql = named(new QPushButton(QStringLiteral("Set Sql"), vlsq), "cmd_set_sql");
    cmd_set_sql->setGeometry(90, 55, 90, 26);

    auto *data = named(new QGroupBox(QStringLiteral("Data Folder"), page), "data_frame");
    data->setGeometry(508, 100, 244, 92);
    dataFolderLabel = named(new QLabel(data), "dataFolderLabel");
    dataFolderLabel->setGeometry(10, 22, 226, 62);
    dataFolderLabel->setWordWrap(true);
    dataFolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    dataFolderLabel->setText(m_options.dataFolder);
    dataFolderLabel->setToolTip(
        QStringLiteral("Settings, the hit log files and extended info live in this folder."));
    buildHarvestPanel(page);
    buildAudioInputFrame(page);
    return withWebRemoteFrame(page);
}
