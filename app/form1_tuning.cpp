// The "Tuner" tab: direct entry, quick scan, auto skip list and the FCC
// licence lookup.
#include "app/form1.h"

#include "tuning/directentry.h"
#include "tuning/fcclookup.h"
#include "tuning/listlines.h"
#include "tuning/statecodes.h"
#include "tuning/tunefrequency.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

void Form1::connectTuning()
{
    for (const DirectEntryPanel &panel : m_tuner.panels) {
        const DirectEntryPanel *p = &panel;
        connect(panel.tune, &QPushButton::clicked, this, [this, p] { TuneDirect(*p); });
        connect(panel.fcc, &QPushButton::clicked, this, [this, p] { OpenFccLookup(*p); });
        connect(panel.entry, &QLineEdit::inputRejected, this, [this] {
            showStatusNote(QStringLiteral("Not taken: ") + directEntryRule.toString(),
                           statusNoteMs);
        });
    }
    connect(key_start_quck_scan, &QPushButton::clicked, this, &Form1::ToggleQuickScan);
    connect(key_auto_skip_list_apply, &QPushButton::clicked, this, &Form1::ApplySkipList);
    // Timer4 ticks only while the quick scan runs.
    connect(Timer4, &QTimer::timeout, this, &Form1::QuickScanTick);
    m_hits.setSkipCheck(
        [this](const QString &winFrequencyRaw, const QString &talkgroup, const QString &field3) {
            return skipMatches(winFrequencyRaw, talkgroup, field3);
        });
    // The log table's menu skips and looks up a hit with this tab's tools.
    connectLogMenu();
}

bool Form1::isLineField(const QObject *watched) const
{
    return watched && (watched == m1 || watched == m2 || watched == m3 || watched == direct_entry ||
                       watched == direct_entry2);
}

void Form1::leaveLineField(QObject *field)
{
    for (const DirectEntryPanel &panel : m_tuner.panels) {
        if (field == panel.entry) {
            TuneDirect(panel);
            return;
        }
    }
    focusLogo();
}

bool Form1::tunerButtonTakesKey(QObject *watched, const QKeyEvent *event)
{
    // A focused "Tune" or "FCC" button is pressed by Space or Enter, which
    // are the radio's keys everywhere else.
    const int key = event->key();
    if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    for (const DirectEntryPanel &panel : m_tuner.panels) {
        if (watched == panel.tune || watched == panel.fcc) {
            static_cast<QPushButton *>(watched)->click();
            return true;
        }
    }
    return false;
}

bool Form1::isTypingField(const QObject *watched) const
{
    return isLineField(watched) ||
           (watched && (watched == Quick_Scan_List || watched == Auto_Skip_List));
}

void Form1::TuneDirect(const DirectEntryPanel &panel)
{
    const QString typed = panel.entry->text();
    const QString problem = directEntryProblem(typed);
    if (!problem.isEmpty()) {
        showStatusNote(QStringLiteral("Not tuned: ") + problem, statusNoteMs);
    } else if (m_port.isOpen()) {
        const QByteArray command = BuildQuickSearchCommand(
            FormatTuneFrequency(typed), modulationOfIndex(panel.modulation->currentIndex()));
        // Behind a key sequence that still plays, never inside it.
        m_sequencer.play({{command, 0, {}}});
    } else {
        Text3->setText(QStringLiteral("Not tuned: port closed"));
    }
    focusLogo();
}

void Form1::OpenFccLookup(const DirectEntryPanel &panel)
{
    const QString typed = panel.entry->text();
    if (!openLicenceSearch(stateCodes().value(panel.state->currentIndex()), typed))
        showStatusNote(QStringLiteral("No lookup: ") + directEntryProblem(typed), statusNoteMs);
    focusLogo();
}

bool Form1::openLicenceSearch(const QString &stateCode, const QString &frequency)
{
    const QUrl address = fccLookupUrl(stateCode, frequency);
    if (address.isEmpty())
        return false;
    if (!QDesktopServices::openUrl(address)) {
        tellUser(QStringLiteral("No web browser could be started. The licence search for this "
                                "frequency is at:\n\n%1")
                     .arg(address.toString(QUrl::FullyEncoded)));
    }
    return true;
}

void Form1::ToggleQuickScan()
{
    const int leftOut = m_quickScan.rebuild(listLines(Quick_Scan_List->toPlainText()));
    if (!quick_scan_running) {
        quick_scan_running = true;
        key_start_quck_scan->setText(QStringLiteral("Stop Quick Scan"));
        Timer4->start();
    } else {
        key_start_quck_scan->setText(QStringLiteral("Start Quick Scan"));
        quick_scan_running = false;
        Timer4->stop();
    }
    if (leftOut > 0) {
        tellUser(QStringLiteral("The quick scan takes the first 1001 lines; %1 frequency line(s) "
                                "after them are left out.")
                     .arg(leftOut));
    }
    focusLogo();
}

void Form1::QuickScanTick()
{
    if (!quick_scan_running || m_hits.state().hit_active)
        return;
    const QuickScan::Step step = m_quickScan.next();
    if (!step.command.isEmpty())
        m_sequencer.play({{step.command, 0, {}}});
    debug_box->setText(step.debugText);
}

void Form1::ApplySkipList()
{
    const int leftOut = m_skipList.apply(listLines(Auto_Skip_List->toPlainText()));
    QString message = QStringLiteral("Skip List Set");
    if (leftOut > 0) {
        message += QStringLiteral("\n\nThe list takes the first 1001 lines; %1 line(s) after "
                                  "them are left out.")
                       .arg(leftOut);
        tellUser(message);
    } else {
        tellUserBriefly(message);
    }
    focusLogo();
}

int Form1::skipMatches(const QString &winFrequencyRaw, const QString &talkgroup,
                       const QString &stsField3)
{
    if (!m_skipList.isOn())
        return 0;
    debug_box2->setText(m_skipList.lastEntry() + QStringLiteral(" - ") + freq->text());
    return m_skipList.matches(winFrequencyRaw, talkgroup, stsField3);
}
