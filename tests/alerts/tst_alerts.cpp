// The alert rules, their moment, cooldown, file and command, without a
// window; the commands run for real.
#include "alerts/alertcommand.h"
#include "alerts/alertcommandrunner.h"
#include "alerts/alertmoment.h"
#include "alerts/alertrulesfile.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

AlertHit conventional(const QString &system, const QString &group, const QString &channel,
                      const QString &frequency)
{
    AlertHit hit;
    hit.system = system;
    hit.group = group;
    hit.channel = channel;
    hit.frequency = frequency;
    hit.tone = QStringLiteral("C74.4");
    hit.start = QStringLiteral("3:45:12 PM");
    return hit;
}

AlertHit trunked(const QString &talkgroup)
{
    AlertHit hit = conventional("Metro", "Police", "Dispatch", "851.5625");
    hit.tone.clear();
    hit.talkgroup = talkgroup;
    hit.trunked = true;
    return hit;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestAlerts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ruleMatches_data()
    {
        QTest::addColumn<AlertRule>("rule");
        QTest::addColumn<AlertHit>("hit");
        QTest::addColumn<bool>("matches");
        const AlertHit engine =
            conventional("Marion County", "Fire Dispatch", "Engine 5", "154.0700");
        auto rule = [](auto edit) {
            AlertRule r;
            edit(r);
            return r;
        };
        QTest::newRow("no condition") << AlertRule() << engine << true;
        QTest::newRow("word inside a word, any case")
            << rule([](AlertRule &r) { r.words = "DISPAT"; }) << engine << true;
        QTest::newRow("all words, any field")
            << rule([](AlertRule &r) { r.words = "marion engine"; }) << engine << true;
        QTest::newRow("one word missing")
            << rule([](AlertRule &r) { r.words = "marion police"; }) << engine << false;
        QTest::newRow("word across two fields")
            << rule([](AlertRule &r) { r.words = "countyfire"; }) << engine << false;
        QTest::newRow("frequency")
            << rule([](AlertRule &r) { r.frequency = "154.07"; }) << engine << true;
        QTest::newRow("other frequency")
            << rule([](AlertRule &r) { r.frequency = "154.0701"; }) << engine << false;
        QTest::newRow("range") << rule([](AlertRule &r) { r.frequency = "154 - 155"; }) << engine
                               << true;
        QTest::newRow("range backwards")
            << rule([](AlertRule &r) { r.frequency = "155-154.07"; }) << engine << true;
        QTest::newRow("below range")
            << rule([](AlertRule &r) { r.frequency = "154.1-155"; }) << engine << false;
        QTest::newRow("not a frequency")
            << rule([](AlertRule &r) { r.frequency = "fire"; }) << engine << false;
        QTest::newRow("talkgroup in list")
            << rule([](AlertRule &r) { r.talkgroups = "100, 1234 77"; }) << trunked("1234") << true;
        QTest::newRow("talkgroup not in list")
            << rule([](AlertRule &r) { r.talkgroups = "100,12345"; }) << trunked("1234") << false;
        QTest::newRow("talkgroups, conventional hit")
            << rule([](AlertRule &r) { r.talkgroups = "1234"; }) << engine << false;
        QTest::newRow("trunked only, conventional hit")
            << rule([](AlertRule &r) { r.kind = AlertRule::Kind::Trunked; }) << engine << false;
        QTest::newRow("conventional only, trunked hit")
            << rule([](AlertRule &r) { r.kind = AlertRule::Kind::Conventional; }) << trunked("1")
            << false;
        QTest::newRow("off") << rule([](AlertRule &r) { r.enabled = false; }) << engine << false;
    }

    void ruleMatches()
    {
        QFETCH(AlertRule, rule);
        QFETCH(AlertHit, hit);
        QFETCH(bool, matches);
        QCOMPARE(::ruleMatches(rule, hit), matches);
    }

    // Checked once per hit, as soon as a name is known; a skipped hit never.
    void momentComesOncePerNamedHit()
    {
        AlertMoment moment;
        HitState state;
        state.hit_active = true; // the first poll: nothing captured yet
        QVERIFY(!moment.poll(state, std::nullopt));
        state.hit_start_time = "3:45:12 PM";
        state.hit_group = "Fire Dispatch ";
        state.have_group = true;
        const auto hit = moment.poll(state, std::nullopt);
        QVERIFY(hit);
        QCOMPARE(hit->group, QStringLiteral("Fire Dispatch"));
        QVERIFY(!moment.poll(state, std::nullopt));
        FinishedHit ended;
        ended.group = "Fire Dispatch";
        QVERIFY(!moment.poll(HitState(), ended));

        // Ended before a name was seen in an active poll: checked at its end.
        ended.channel = "Engine 5";
        const auto atEnd = moment.poll(HitState(), ended);
        QVERIFY(atEnd);
        QCOMPARE(atEnd->channel, QStringLiteral("Engine 5"));

        state.hit_skipped = true;
        QVERIFY(!moment.poll(state, std::nullopt));
        ended.skipped = true;
        QVERIFY(!moment.poll(HitState(), ended));
    }

    void cooldownPerRule()
    {
        AlertCooldown cooldown;
        QVERIFY(cooldown.take(1, 1000, 60));
        QVERIFY(!cooldown.take(1, 60999, 60));
        QVERIFY(cooldown.take(2, 2000, 60));
        QVERIFY(cooldown.take(1, 61000, 60));
        QVERIFY(!cooldown.take(1, 61000, 60));
        // A clock set back does not hold the rule off.
        QVERIFY(cooldown.take(1, 500, 60));
        QVERIFY(cooldown.take(3, 0, 0));
        QVERIFY(cooldown.take(3, 0, 0));
    }

    void commandArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("plain") << QStringList{"-v", "x"} << QStringList{"-v", "x"};
        QTest::newRow("one in an argument")
            << QStringList{"--title={channel} on {frequency}"}
            << QStringList{"--title=$(touch x); rm \"a\" 'b'\nc on 154.0700"};
        QTest::newRow("values are not read again")
            << QStringList{"{system}{group}"} << QStringList{"{group}Fire"};
        QTest::newRow("unknown and broken placeholders stay")
            << QStringList{"{sys}", "{kind", "{{kind}}"}
            << QStringList{"{sys}", "{kind", "{conventional}"};
        QTest::newRow("empty value keeps its argument")
            << QStringList{"{talkgroup}"} << QStringList{""};
    }

    void commandArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);
        const AlertHit hit =
            conventional("{group}", "Fire", "$(touch x); rm \"a\" 'b'\nc", "154.0700");
        QCOMPARE(::commandArguments(arguments, hit), expected);
    }

    // The hit's names reach the command as they are, in its arguments and
    // its environment; nothing in them is run.
    void commandGetsHostileNamesAsPlainValues()
    {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString channel = QStringLiteral("$(touch x); rm -f args `touch x` \"q\" 'q'\nline");
        const AlertHit hit = conventional("Sys; rm -rf .", "G|touch x", channel, "154.0700");
        AlertRule rule;
        rule.program = QStringLiteral("/bin/sh");
        // The user's own script: writes each argument and two variables, NUL-ended.
        rule.arguments = {
            "-c",         "printf '%s\\0' \"$@\" \"$TOLLVANE_CHANNEL\" \"$TOLLVANE_KIND\" > args",
            "sh",         "{channel}",
            "[{system}]", "{group}"};
        AlertCommandRunner runner;
        QSignalSpy finished(&runner, &AlertCommandRunner::finished);
        QVERIFY(runner.start(7, rule.program, ::commandArguments(rule.arguments, hit),
                             commandEnvironment(hit)));
        QVERIFY(!runner.start(7, rule.program, {}, {})); // still running: not twice
        QTRY_COMPARE(finished.size(), 1);
        const auto result = finished.at(0).at(0).value<AlertCommandRunner::Result>();
        QCOMPARE(result.ruleId, 7);
        QVERIFY(result.ok);
        const QList<QByteArray> got = readAll(dir.filePath("args")).split('\0');
        QCOMPARE(got, (QList<QByteArray>{channel.toUtf8(), "[Sys; rm -rf .]", "G|touch x",
                                         channel.toUtf8(), "conventional", ""}));
        QVERIFY(!QFile::exists(dir.filePath("x")));
    }

    void commandFailuresAreTold_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("errorLine");
        QTest::newRow("exit status and last error line")
            << "/bin/sh" << QStringList{"-c", "echo first >&2; echo last >&2; echo >&2; exit 3"}
            << "exit 3"
            << "last";
        QTest::newRow("cannot start") << "/no/such/program" << QStringList() << "could not start"
                                      << "";
        QTest::newRow("runs too long") << "/bin/sleep" << QStringList{"60"} << "ended after"
                                       << "";
    }

    void commandFailuresAreTold()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, status);
        QFETCH(QString, errorLine);
        AlertCommandRunner runner;
        runner.timeoutMs = 300;
        QSignalSpy finished(&runner, &AlertCommandRunner::finished);
        QVERIFY(runner.start(1, program, arguments, {}));
        QTRY_COMPARE(finished.size(), 1);
        const auto result = finished.at(0).at(0).value<AlertCommandRunner::Result>();
        QVERIFY(!result.ok);
        QVERIFY2(result.status.startsWith(status), qPrintable(result.status));
        QCOMPARE(result.errorLine, errorLine);
        QVERIFY(!runner.isRunning(1));
    }

    void rulesFileRoundTrip()
    {
        AlertRule full;
        full.name = "Fire \"5\"";
        full.words = "engine";
        full.frequency = "154-155";
        full.talkgroups = "1234, 5";
        full.kind = AlertRule::Kind::Trunked;
        full.notify = false;
        full.sound = true;
        full.soundFile = "/x/bell.wav";
        full.program = "notify-phone";
        full.arguments = {"{channel}", "", "a b"};
        full.recordHit = true;
        full.cooldownSeconds = 5;
        full.enabled = false;
        const QList<AlertRule> rules{full, AlertRule()};
        QTemporaryDir dir;
        QCOMPARE(saveAlertRules(dir.path(), rules), QString());
        const LoadedAlertRules loaded = loadAlertRules(dir.path());
        QCOMPARE(loaded.rules, rules);
        QVERIFY(loaded.message.isEmpty());
    }

    void unreadableRulesFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("not JSON") << QByteArray("{\"rules\": [");
        QTest::newRow("no list") << QByteArray("{\"rule\": []}");
        QTest::newRow("a rule of another kind")
            << QByteArray("{\"rules\": [{\"name\": \"a\"}, {\"kind\": \"digital\"}]}");
        QTest::newRow("an argument not text")
            << QByteArray("{\"rules\": [{\"arguments\": [\"a\", 5]}]}");
    }

    void unreadableRulesFileIsKeptAside()
    {
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        const QString path = dir.filePath(alertRulesFileName);
        for (const char *aside : {"alert_rules.unreadable.json", "alert_rules.unreadable-2.json"}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
            file.close();
            const LoadedAlertRules loaded = loadAlertRules(dir.path());
            QVERIFY(loaded.rules.isEmpty());
            QVERIFY(loaded.canSave);
            QVERIFY2(loaded.message.contains(aside), qPrintable(loaded.message));
            QCOMPARE(readAll(dir.filePath(aside)), text);
            QVERIFY(!QFile::exists(path));
        }
    }
};

QTEST_GUILESS_MAIN(TestAlerts)
#include "tst_alerts.moc"
