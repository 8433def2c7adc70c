// The "Alerts" tab: rules checked when a hit starts, and their actions (a
// desktop notice, a sound, a command, a recording of the hit).
#include "app/form1.h"

#include "alerts/alertchime.h"
#include "alerts/alertcommand.h"
#include "alerts/alertrulesfile.h"
#include "alerts/widgets/alertspanel.h"
#include "log/widgets/historypanel.h"

#include <QComboBox>
#include <QDBusConnection>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int fallbackShownMs = 15000;

} // namespace

QWidget *Form1::buildAlertsTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("alertsPage"));
    m_alertsPanel = new AlertsPanel(page);
    m_alertsPanel->setObjectName(QStringLiteral("Alerts"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_alertsPanel);

    const LoadedAlertRules loaded = loadAlertRules(m_options.dataFolder);
    m_alertRulesSavable = loaded.canSave;
    m_alertsPanel->model().setRules(loaded.rules);
    if (!loaded.message.isEmpty()) {
        m_alertsPanel->setNote(loaded.message);
        QTimer::singleShot(0, this, [this, message = loaded.message] { tellUser(message); });
    }
    connect(&m_alertsPanel->model(), &AlertRuleModel::rulesEdited, this, &Form1::saveAlerts);
    connect(m_alertsPanel, &AlertsPanel::testRequested, this,
            [this](int ruleId) { runAlertActions(ruleId, sampleAlertHit(timeOfDayNow())); });
    return page;
}

void Form1::saveAlerts()
{
    QString error = m_alertRulesSavable
                        ? saveAlertRules(m_options.dataFolder, m_alertsPanel->model().rules())
                        : QStringLiteral("the unreadable rules file is still in the way");
    if (!error.isEmpty())
        error = QStringLiteral("The alert rules could not be saved: ") + error;
    m_alertsPanel->setNote(error);
    // The rules stay in the list; the user knows they are not on disk.
    if (!error.isEmpty())
        QTimer::singleShot(0, this, [this, error] { tellUser(error); });
}

void Form1::checkAlerts(const HitTickResult &result)
{
    if (result.ended && m_recordThisHit)
        m_recordThisHit = false;
    const std::optional<AlertHit> hit = m_alertMoment.poll(m_hits.state(), result.ended);
    if (!hit)
        return;
    const AlertRuleModel &model = m_alertsPanel->model();
    const qint64 now = m_clock->now().toMSecsSinceEpoch();
    for (int row = 0; row < model.rowCount(); ++row) {
        const AlertRule &rule = model.rule(row);
        if (!ruleMatches(rule, *hit) ||
            !m_alertCooldown.take(model.ruleId(row), now, rule.cooldownSeconds))
            continue;
        runAlertActions(model.ruleId(row), *hit);
        // A hit still on the air is recorded from now on, under its own name.
        if (rule.recordHit && m_hits.state().hit_active) {
            m_recordThisHit = true;
            startHitRecording();
        }
    }
}

void Form1::runAlertActions(int ruleId, const AlertHit &hit)
{
    const int row = m_alertsPanel->model().rowOf(ruleId);
    if (row < 0)
        return;
    const AlertRule rule = m_alertsPanel->model().rule(row);
    if (!rule.program.isEmpty())
        runAlertCommand(ruleId, rule, hit);
    if (rule.notify)
        showAlertNotice(alertNotice(rule, hit));
    if (rule.sound)
        playAlertSound(rule);
}

void Form1::showAlertNotice(const AlertNotice &notice)
{
    if (!m_notifier) {
        m_notifier = new DesktopNotifier(QDBusConnection::sessionBus(), this);
        connect(m_notifier, &DesktopNotifier::openRequested, this, [this] {
            showNormal();
            raise();
            activateWindow();
        });
        connect(m_notifier, &DesktopNotifier::failed, this, &Form1::showAlertInWindow);
    }
    m_notifier->notify(notice.summary, notice.body);
}

// Without a notification service the notice goes to the status line and
// the window title for a while; the user is told why once.
void Form1::showAlertInWindow(const QString &why, const QString &summary)
{
    showStatusNote(summary, fallbackShownMs);
    m_alertTitleNote = QStringLiteral(" - ") + summary;
    UpdateWindowTitle();
    QTimer::singleShot(fallbackShownMs, this, [this, note = m_alertTitleNote] {
        if (m_alertTitleNote == note) {
            m_alertTitleNote.clear();
            UpdateWindowTitle();
        }
    });
    if (m_alertNoticeFailTold)
        return;
    m_alertNoticeFailTold = true;
    tellUser(QStringLiteral("Alerts cannot be shown as desktop notices (%1); they are shown in "
                            "the status line and the window title instead.")
                 .arg(why));
}

void Form1::playAlertSound(const AlertRule &rule)
{
    MediaSystem *media = mediaSystem();
    if (!media)
        return;
    QString path = rule.soundFile;
    if (path.isEmpty()) {
        path = (m_recordingTemp.isValid() ? m_recordingTemp.path() : m_options.dataFolder) +
               QStringLiteral("/alert_chime.wav");
        if (!QFile::exists(path)) {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(chimeWave()) < 0)
                return;
        }
    }
    if (!m_alertPlayer)
        m_alertPlayer = media->makePlayer();
    // The output the History plays recordings through, once it was chosen.
    const auto *output =
        History ? History->findChild<QComboBox *>(QStringLiteral("history_output")) : nullptr;
    m_alertPlayer->setOutput(output ? output->currentData().toByteArray() : QByteArray());
    m_alertPlayer->play(path);
}

void Form1::runAlertCommand(int ruleId, const AlertRule &rule, const AlertHit &hit)
{
    if (!m_alertCommands) {
        m_alertCommands = new AlertCommandRunner(this);
        connect(m_alertCommands, &AlertCommandRunner::finished, this,
                &Form1::onAlertCommandFinished);
    }
    if (m_alertCommands->isRunning(ruleId)) {
        m_alertsPanel->model().setCommandStatus(ruleId, QStringLiteral("still running"));
        return;
    }
    // Set first: a command that cannot start may say so at once.
    m_alertsPanel->model().setCommandStatus(ruleId, QStringLiteral("running"));
    m_alertCommands->start(ruleId, rule.program, commandArguments(rule.arguments, hit),
                           commandEnvironment(hit));
}

void Form1::onAlertCommandFinished(const AlertCommandRunner::Result &result)
{
    QString status = result.status;
    if (!result.errorLine.isEmpty())
        status += QStringLiteral(": ") + result.errorLine;
    m_alertsPanel->model().setCommandStatus(result.ruleId, status);
    if (result.ok) {
        m_failingAlertCommands.remove(result.ruleId);
        return;
    }
    if (m_failingAlertCommands.contains(result.ruleId))
        return;
    m_failingAlertCommands.insert(result.ruleId);
    const int row = m_alertsPanel->model().rowOf(result.ruleId);
    const QString name = row >= 0 ? m_alertsPanel->model().rule(row).name : QString();
    tellUser(QStringLiteral("The command of the alert \"%1\" failed (%2).").arg(name, status));
}
