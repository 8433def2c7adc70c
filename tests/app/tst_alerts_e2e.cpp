// End to end: a session bus of the test's own with a notification service
// that records each notice, the simulated radio playing hits, and the
// window's alert rules firing on them.
#include "alerts/alertrulesfile.h"
#include "alerts/widgets/alertruledialog.h"
#include "alerts/widgets/alertspanel.h"
#include "support/radiofixture.h"

#include <QDBusConnection>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString servicePath = QStringLiteral("/org/freedesktop/Notifications");

struct Notice
{
    QString summary;
    QString body;
    QStringList actions;
};

// The desktop's side: answers Notify with a new id and keeps what it got.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QList<Notice> notices;

public Q_SLOTS:
    QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &, int)
    {
        notices.append({summary, body, actions});
        return uint(notices.size());
    }

Q_SIGNALS:
    void ActionInvoked(uint id, const QString &actionKey);
};

Reception heard(const QByteArray &channel, const QByteArray &frequency)
{
    Reception r;
    r.system = "Marion County";
    r.group = "Fire Dispatch";
    r.channel = channel;
    r.frequency = frequency;
    r.tone = "67";
    r.gapTicks = 1;
    r.activeTicks = 6;
    return r;
}

AlertRule rule(const QString &name, const QString &words, const QString &frequency, int cooldown)
{
    AlertRule r;
    r.name = name;
    r.words = words;
    r.frequency = frequency;
    r.cooldownSeconds = cooldown;
    return r;
}

} // namespace

class TestAlertsEndToEnd : public QObject
{
    Q_OBJECT
    QProcess m_bus;
    FakeNotifications m_service;
    std::unique_ptr<QDBusConnection> m_serviceConnection;

    void playAndWaitForLog(RadioFixture &f, Form1 &form, const Reception &reception, int lines)
    {
        f.radio().radio().queueReception(reception);
        QTRY_COMPARE_WITH_TIMEOUT(form.hitLog().lineCount(), lines, 20000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_bus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address")});
        QVERIFY2(m_bus.waitForStarted(), "dbus-daemon is needed");
        QTRY_VERIFY(m_bus.canReadLine());
        const QByteArray address = m_bus.readLine().trimmed();
        // Read by the window when it first asks for the session bus.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        m_serviceConnection = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("desktop")));
        QVERIFY(m_serviceConnection->isConnected());
    }

    void cleanupTestCase()
    {
        m_bus.kill();
        m_bus.waitForFinished();
    }

    // Run first, while nothing owns the service's name on the bus. A command
    // that fails is told once, and again only after it has worked.
    void withoutAServiceTheWindowShowsTheAlert()
    {
        RadioFixture f;
        AlertRule failing = rule("Engines", "", "", 60);
        failing.program = f.dataDir() + QStringLiteral("/no-such-program");
        QCOMPARE(saveAlertRules(f.dataDir(), {failing}), QString());
        auto form = f.makeForm();
        AlertRuleModel &model = form->alertsPanel()->model();
        const QModelIndex commandCell = model.index(0, AlertRuleModel::CommandColumn);
        form->alertsPanel()->table()->selectRow(0);
        auto test = [&](const QString &program, const QString &status, int messages) {
            AlertRule r = model.rule(0);
            r.program = program;
            model.replaceRule(0, r);
            child<QPushButton>(form.get(), "alert_test")->click();
            QTRY_VERIFY2(commandCell.data().toString().startsWith(status),
                         qPrintable(commandCell.data().toString()));
            QTRY_COMPARE(f.messages.size(), messages);
        };
        test(failing.program, QStringLiteral("could not start"), 2);
        const QString shown = QStringLiteral("Engines: Test Channel");
        QCOMPARE(child<QLineEdit>(form.get(), "Text3")->text(), shown);
        QVERIFY2(form->windowTitle().endsWith(shown), qPrintable(form->windowTitle()));
        test(failing.program, QStringLiteral("could not start"), 2);
        test(QStringLiteral("/bin/true"), QStringLiteral("exit 0"), 2);
        test(failing.program, QStringLiteral("could not start"), 3);
        QCOMPARE(f.messages.filter(QStringLiteral("status line")).size(), 1);
        QCOMPARE(f.messages.filter(QStringLiteral("\"Engines\" failed")).size(), 2);
        QVERIFY(m_service.notices.isEmpty());
    }

    void hitsFireNoticesOnceEachCooldownAndNeverWhenSkipped()
    {
        QVERIFY(m_serviceConnection->registerObject(servicePath, &m_service,
                                                    QDBusConnection::ExportAllSlots |
                                                        QDBusConnection::ExportAllSignals));
        QVERIFY(m_serviceConnection->registerService(serviceName));

        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        QCOMPARE(saveAlertRules(f.dataDir(),
                                {rule("Engines", "engine", "", 60), rule("Medic", "medic", "", 0)}),
                 QString());
        auto form = f.makeForm();
        QVERIFY(form->isRunning());

        playAndWaitForLog(f, *form, heard("Engine 5", "01540700"), 1);
        QTRY_COMPARE(m_service.notices.size(), 1);
        const Notice first = m_service.notices.first();
        QCOMPARE(first.summary, QStringLiteral("Engines: Engine 5"));
        QVERIFY2(first.body.contains(QStringLiteral("Marion County / Fire Dispatch")) &&
                     first.body.contains(QStringLiteral("154.0700")) &&
                     first.body.contains(QStringLiteral("C74.4")),
                 qPrintable(first.body));
        QVERIFY(first.actions.contains(QStringLiteral("Open")));

        // "Open" shows the window.
        QVERIFY(!form->isVisible());
        Q_EMIT m_service.ActionInvoked(1, QStringLiteral("open"));
        QTRY_VERIFY(form->isVisible());

        // Within the cooldown: no second notice.
        playAndWaitForLog(f, *form, heard("Engine 5", "01540700"), 2);
        // Skipped by the skip list: no notice, though a rule matches it. The
        // talkgroup is known, and skipped, in the poll that learns the names.
        Reception medic = heard("Medic 1", "08515625");
        medic.kind = Reception::Kind::Trunked;
        medic.talkgroup = "1234";
        child<QPlainTextEdit>(form.get(), "Auto_Skip_List")->setPlainText("155.52\n1234");
        child<QPushButton>(form.get(), "key_auto_skip_list_apply")->click();
        f.radio().radio().queueReception(medic);
        QTRY_COMPARE_WITH_TIMEOUT(f.radio().radio().groundTruth().size(), 3, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!form->hits().state().hit_active, 20000);
        child<QPlainTextEdit>(form.get(), "Auto_Skip_List")->setPlainText("");
        child<QPushButton>(form.get(), "key_auto_skip_list_apply")->click();
        // Not skipped, it fires; notices arrive in order, so one from the
        // hits before would stand before it.
        playAndWaitForLog(f, *form, medic, 3);
        QTRY_COMPARE(m_service.notices.size(), 2);
        QCOMPARE(m_service.notices.at(1).summary, QStringLiteral("Medic: Medic 1"));

        // After the cooldown the first rule fires again.
        f.clock.advanceSecs(61);
        playAndWaitForLog(f, *form, heard("Engine 6", "01540700"), 4);
        QTRY_COMPARE(m_service.notices.size(), 3);
        QCOMPARE(m_service.notices.at(2).summary, QStringLiteral("Engines: Engine 6"));
    }

    // The dialog gives back the rule as typed, arguments one per line, and
    // keeps itself open while the frequency is not one.
    void dialogEditsARule()
    {
        AlertRule start = rule("Tower", "", "", 60);
        AlertRuleDialog dialog(start);
        auto *frequency = dialog.findChild<QLineEdit *>(QStringLiteral("alert_frequency"));
        frequency->setText(QStringLiteral("118.1 to 137"));
        dialog.findChild<QLineEdit *>(QStringLiteral("alert_program"))->setText("notify-phone");
        dialog.findChild<QPlainTextEdit *>(QStringLiteral("alert_arguments"))
            ->setPlainText(QStringLiteral("--to=me\n\n{channel} now\n"));
        dialog.open();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("alert_problem"))->text().isEmpty());
        frequency->setText(QStringLiteral("118.1-137"));
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        start.frequency = QStringLiteral("118.1-137");
        start.program = QStringLiteral("notify-phone");
        start.arguments = {QStringLiteral("--to=me"), QString(), QStringLiteral("{channel} now")};
        QCOMPARE(dialog.rule(), start);
        for (const QWidget *control : dialog.findChildren<QWidget *>()) {
            const QWidget *parent = control->parentWidget();
            const bool ownControl =
                parent == &dialog || qobject_cast<const QDialogButtonBox *>(parent);
            if (ownControl && control->focusPolicy() != Qt::NoFocus)
                QVERIFY2(!control->accessibleName().isEmpty(), control->metaObject()->className());
        }
    }

    void rulesOutliveARestart()
    {
        RadioFixture f;
        QList<AlertRule> made;
        {
            auto form = f.makeForm();
            AlertsPanel *panel = form->alertsPanel();
            AlertRule edited = rule("Tower", "tower", "118-137", 30);
            edited.program = QStringLiteral("notify-phone");
            edited.arguments = {QStringLiteral("{channel}")};
            panel->editRule = [&](const AlertRule &) { return edited; };
            child<QPushButton>(form.get(), "alert_add")->click();
            child<QPushButton>(form.get(), "alert_duplicate")->click();
            edited.enabled = false;
            child<QPushButton>(form.get(), "alert_edit")->click();
            made = panel->model().rules();
        }
        QCOMPARE(made.size(), 2);
        QCOMPARE(made.at(1).name, QStringLiteral("Tower"));
        QVERIFY(!made.at(1).enabled);
        auto form = f.makeForm();
        QCOMPARE(form->alertsPanel()->model().rules(), made);
        QVERIFY(f.messages.isEmpty());
    }
};

QTEST_MAIN(TestAlertsEndToEnd)
#include "tst_alerts_e2e.moc"
