// End to end: the simulated radio plays a long seeded run of receptions of
// every kind over the pseudo-terminal while the window polls it; afterwards
// the log text, the log box, the table and the run's file hold exactly the
// hits the radio says it played, newest first, and nothing else.
#include "support/radiofixture.h"

#include "poll/frequencyformat.h"

#include "log/widgets/hitlogview.h"
#include <QFile>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QTest>

namespace {

constexpr quint32 scenarioSeed = 34;
constexpr int scenarioCount = 50;
constexpr double scenarioRate = 60;
constexpr int pollIntervalMs = 50;

// The seeded scenario with every transmission cut to 3 to 8 ticks, so that
// fifty of them play in well under a minute at this poll interval. Kinds,
// names, frequencies, codes and gaps stay as the seed made them.
Scenario shortScenario()
{
    QList<Reception> receptions =
        Scenario::generate(scenarioSeed, scenarioCount, scenarioRate).receptions();
    for (Reception &reception : receptions) {
        if (reception.kind != Reception::Kind::Blip)
            reception.activeTicks = 3 + (reception.activeTicks - 3) % 6;
    }
    return Scenario(receptions);
}

// The radio's eight digits (units of 100 Hz) as the log shows them: the
// megahertz without leading zeros, ".", four more digits, right-aligned in
// nine characters.
QString displayFrequency(const QByteArray &digits)
{
    bool ok = false;
    const qint64 hundreds = digits.toLongLong(&ok);
    if (!ok || digits.size() != 8)
        return QStringLiteral("bad frequency ") + QString::fromLatin1(digits);
    const QString text = QString::number(hundreds / 10000) + u'.' +
                         QString::number(hundreds % 10000).rightJustified(4, u'0');
    return text.rightJustified(9, u' ');
}

// The tone / talkgroup column for a reception.
QString expectedCode(const Reception &reception)
{
    switch (reception.kind) {
    case Reception::Kind::Trunked:
        return QString::fromLatin1(reception.talkgroup);
    case Reception::Kind::P25:
        return QStringLiteral("P25");
    default:
        return reception.tone == "0" ? QString() : toneName(QString::fromLatin1(reception.tone));
    }
}

// Columns 1 to 4 and 7 of the line a reception should leave.
QString expectedHead(const Reception &reception)
{
    return QStringList{QString::fromLatin1(reception.system + " / " + reception.group),
                       QString::fromLatin1(reception.channel),
                       displayFrequency(reception.frequency), expectedCode(reception),
                       QStringLiteral("12-06-2026")}
        .join(u'\t');
}

QString actualHead(const QStringList &fields)
{
    return QStringList{fields.at(0), fields.at(1), fields.at(2), fields.at(3), fields.at(6)}.join(
        u'\t');
}

Reception played(Reception::Kind kind, const QByteArray &channel, const QByteArray &frequency,
                 const QByteArray &tone)
{
    Reception reception;
    reception.kind = kind;
    reception.system = "Lake County";
    reception.group = "Fire";
    reception.channel = channel;
    reception.frequency = frequency;
    reception.tone = tone;
    reception.talkgroup = kind == Reception::Kind::Trunked ? "2417" : "";
    return reception;
}

} // namespace

class TestHitLogEndToEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void seededRunLogsExactlyTheHitsPlayed()
    {
        const Scenario scenario = shortScenario();
        QMap<Reception::Kind, int> kinds;
        QSet<QByteArray> toneKinds;
        int unnamedTalkgroups = 0;
        for (const Reception &reception : scenario.receptions()) {
            ++kinds[reception.kind];
            if (reception.kind == Reception::Kind::Conventional) {
                const int code = reception.tone.toInt();
                toneKinds.insert(reception.tone == "0"        ? "none"
                                 : code >= 64 && code <= 113  ? "CTCSS"
                                 : code >= 128 && code <= 231 ? "DCS"
                                                              : "other");
            }
            if (reception.isTrunked() && reception.channel.isEmpty())
                ++unnamedTalkgroups;
        }
        // The run is worth something only with every kind in it.
        QVERIFY(kinds.value(Reception::Kind::Conventional) >= 5);
        QVERIFY(kinds.value(Reception::Kind::Trunked) >= 5);
        QVERIFY(kinds.value(Reception::Kind::P25) >= 2);
        QVERIFY(kinds.value(Reception::Kind::CloseCall) >= 2);
        QVERIFY(kinds.value(Reception::Kind::Blip) >= 2);
        QVERIFY(toneKinds.contains("none") && toneKinds.contains("CTCSS") &&
                toneKinds.contains("DCS"));
        QVERIFY(unnamedTalkgroups >= 2);

        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, pollIntervalMs));
        // Tab 0, no recording, "Log To Text File" ticked.
        f.writeFile(QStringLiteral("pgm_settings.txt"), "0\r\n0\r\n1\r\n");
        // The clock moves one second with every screen query the radio
        // takes, so a hit's times say which radio ticks the window saw.
        const QDateTime base = f.clock.now();
        connect(&f.radio(), &PtyRadio::commandReceived, this, [&f](const QByteArray &line) {
            if (line == "STS")
                f.clock.advanceSecs(1);
        });
        f.radio().radio().setScenario(scenario);

        auto form = f.makeForm();
        QVERIFY(form->isRunning());
        const int radioTicks = scenario.totalTicks();
        QTRY_VERIFY_WITH_TIMEOUT(f.radio().radio().isIdle(), radioTicks * pollIntervalMs * 4);
        // The window reads each tick one poll late: let it see the end of
        // the last reception, then stop polling.
        const int lastTick = f.radio().radio().tick();
        QTRY_VERIFY_WITH_TIMEOUT(
            f.radio().radio().tick() >= lastTick + 3 && !form->hits().state().hit_active, 10000);
        form->RunStop();
        QVERIFY(!form->isRunning());

        const QList<Reception> truth = f.radio().radio().groundTruth();
        QCOMPARE(truth.size(), scenario.receptions().size());
        QList<Reception> logged;
        for (auto it = truth.crbegin(); it != truth.crend(); ++it) {
            if (it->expectLogged)
                logged.append(*it);
        }
        QVERIFY(logged.size() > 20);

        // The log text: one line per logged hit, newest first.
        const QString text = form->hitLog().text();
        QVERIFY(text.endsWith(QLatin1String("\r\n")));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(form->hitLog().lineCount(), qsizetype(lines.size()));
        QStringList expectedHeads;
        for (const Reception &reception : std::as_const(logged))
            expectedHeads.append(expectedHead(reception));
        QStringList actualHeads;
        QList<QStringList> fields;
        for (const QString &line : std::as_const(lines)) {
            fields.append(line.split(u'\t'));
            QCOMPARE(fields.last().size(), 7);
            actualHeads.append(actualHead(fields.last()));
        }
        QCOMPARE(actualHeads, expectedHeads);

        // Start and end times fall on the ticks the hit was on the air: the
        // start at the first poll after the activity began, the end at the
        // first poll without it, give or take a dropped poll.
        QHash<QString, int> tickAt;
        for (int tick = f.radio().radio().tick(); tick >= 0; --tick)
            tickAt.insert(timeOfDayText(base.addSecs(tick).time()), tick);
        for (int i = 0; i < logged.size(); ++i) {
            const Reception &reception = logged.at(i);
            const int firstActive = reception.startTick;
            const int firstQuiet = reception.startTick + reception.activeTicks;
            const int start = tickAt.value(fields.at(i).at(4), -1);
            const int end = tickAt.value(fields.at(i).at(5), -1);
            const QByteArray where = QByteArray::number(i) + ": " + lines.at(i).toUtf8() +
                                     " active from tick " + QByteArray::number(firstActive) +
                                     " to " + QByteArray::number(firstQuiet - 1);
            QVERIFY2(start > firstActive && start <= end, where.constData());
            QVERIFY2(end >= firstQuiet && end < firstQuiet + Reception::lingerTicks,
                     where.constData());
        }

        // The log box shows the same text.
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        shown.chop(1);
        QCOMPARE(child<HitLogView>(form.get(), "logbox")->toPlainText(), shown);

        // The table: one row per line, in the same order, no blank rows.
        const LogGridModel &grid = form->logGrid();
        QCOMPARE(grid.rowCount(), int(lines.size()));
        for (int row = 0; row < grid.rowCount(); ++row) {
            QCOMPARE(grid.rowNumber(row), row);
            for (int column = 1; column < LogGridModel::GridColumns; ++column)
                QCOMPARE(grid.cellText(row, column), fields.at(row).at(column - 1));
        }

        // The file of the run: the text and one CR LF more.
        form->flushLogFile();
        QCOMPARE(readWholeFile(form->hitLogFilePath()), text.toUtf8() + "\r\n");
        QVERIFY(f.messages.isEmpty());
    }

    // Some firmware writes a conventional frequency in GLG as 0463.0000:
    // the hits are still conventional, with the frequency in column 3.
    void frequencyWrittenWithAPoint()
    {
        const QList<Reception> receptions = {
            played(Reception::Kind::Conventional, "Tone Out", "04630000", "67"),
            played(Reception::Kind::Trunked, "Fireground", "08515625", "0"),
            played(Reception::Kind::Conventional, "Dispatch", "01540700", "0")};
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, pollIntervalMs));
        f.radio().radio().setPointedFrequencies(true);
        f.radio().radio().setScenario(Scenario(receptions));
        auto form = f.makeForm();
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 3, 20000);

        QStringList lines = form->hitLog().text().split(QStringLiteral("\r\n"));
        lines.removeLast();
        QStringList heads;
        for (const QString &line : std::as_const(lines))
            heads.append(actualHead(line.split(u'\t')));
        QCOMPARE(heads, QStringList({expectedHead(receptions.at(2)), expectedHead(receptions.at(1)),
                                     expectedHead(receptions.at(0))}));
    }
};

QTEST_MAIN(TestHitLogEndToEnd)
#include "tst_hitlog_e2e.moc"
