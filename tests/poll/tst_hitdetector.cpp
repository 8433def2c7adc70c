#include "poll/hitdetector.h"

#include <QTest>

namespace {

const QString startupDate = QStringLiteral("12-06-2026");

// One poll's worth of replies, as fields.
struct Poll
{
    QList<QByteArray> sts;
    QList<QByteArray> glg;
    QList<QByteArray> win;
};

QList<QByteArray> screen(const QByteArray &activity, const QByteArray &line3 = "Bethel PD 1     ",
                         const QByteArray &field3 = "")
{
    return {"STS",
            "011000",
            " \x8d\x8e\x8f\x90      \xa6     ",
            field3,
            "Bethel          ",
            "",
            line3,
            "",
            " 453.6000 DCS134",
            "",
            "GRP",
            "",
            "",
            "",
            "1",
            activity,
            "0",
            "0"};
}

QList<QByteArray> reception(const QByteArray &frequencyOrTalkgroup, const QByteArray &tone,
                            const QByteArray &system, const QByteArray &group,
                            const QByteArray &channel)
{
    return {"GLG", frequencyOrTalkgroup, "NFM", "0", tone, system, group, channel, "1", "0"};
}

QList<QByteArray> frequency(const QByteArray &digits)
{
    return {"WIN", "86", digits};
}

Poll active(const QList<QByteArray> &glg, const QByteArray &win = "01545250",
            const QByteArray &line3 = "Bethel PD 1     ")
{
    return {screen("0", line3), glg, frequency(win)};
}

Poll quiet(const QList<QByteArray> &glg, const QByteArray &win = "01545250",
           const QByteArray &line3 = "Bethel PD 1     ")
{
    return {screen("1", line3), glg, frequency(win)};
}

QList<QByteArray> conventional(const QByteArray &tone = "67")
{
    return reception("01545250", tone, "Public Safety", "EMS MED Channels", "Med 1");
}

QList<QByteArray> noNames()
{
    return reception("", "", "", "", "");
}

QString line(const QStringList &columns)
{
    return columns.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
}

// Feeds polls in order, one second apart from 10:00:00, and keeps what each
// returned.
class Run
{
public:
    explicit Run(HitDetector &detector) : m_detector(detector) {}

    HitTickResult feed(const Poll &poll)
    {
        const QString time = QStringLiteral("10:00:%1").arg(m_second++, 2, 10, QLatin1Char('0'));
        HitTickResult result = m_detector.tick(poll.sts, poll.glg, poll.win, time, startupDate);
        if (!result.logLine.isEmpty())
            logbox.prepend(result.logLine);
        commands += result.commands;
        results.append(result);
        return result;
    }

    QString logbox;
    QList<QByteArray> commands;
    QList<HitTickResult> results;

private:
    HitDetector &m_detector;
    int m_second = 0;
};

} // namespace

class TestHitDetector : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void activityField_data();
    void activityField();
    void conventionalHit_data();
    void conventionalHit();
    void conventionalFlagsAndActions();
    void toneZeroRepeatsCapture();
    void p25BeforeTheTone();
    void p25AfterTheTone();
    void p25BadgeBeforeTheHit_data();
    void p25BadgeBeforeTheHit();
    void trunkedHit();
    void trunkedIdScreen();
    void closeCall();
    void blip_data();
    void blip();
    void missingName_data();
    void missingName();
    void twoHitsNewestFirst();
    void channelFrequencyOutlivesHit_data();
    void channelFrequencyOutlivesHit();
    void channelNameWithArrowByte();
    void namesCleaned_data();
    void namesCleaned();
    void endHitNow_data();
    void endHitNow();
    void skipCheck_data();
    void skipCheck();
    void skipCheckSeesTalkgroupAndField3();
    void winOfEightZerosKeepsFrequency();
    void emptyWinKeepsFrequency();
    void nonNumericActivityStartsHit();
    void talkgroupRewritten();
    void missingFieldsDoNotCrash();
};

void TestHitDetector::activityField_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("activity");

    QTest::newRow("0") << QByteArray("0") << true;
    QTest::newRow("00") << QByteArray("00") << true;
    QTest::newRow("space 0") << QByteArray(" 0") << true;
    QTest::newRow("0 space") << QByteArray("0 ") << true;
    QTest::newRow("0.0") << QByteArray("0.0") << true;
    QTest::newRow("-0") << QByteArray("-0") << true;
    QTest::newRow("0e5") << QByteArray("0e5") << true;
    QTest::newRow("1") << QByteArray("1") << false;
    QTest::newRow("01") << QByteArray("01") << false;
    QTest::newRow("0.5") << QByteArray("0.5") << false;
    QTest::newRow("1e0") << QByteArray("1e0") << false;
    QTest::newRow("empty: no number") << QByteArray() << true;
    QTest::newRow("letters: no number") << QByteArray("X") << true;
    QTest::newRow("0x: no number") << QByteArray("0x") << true;
    QTest::newRow("1 1: no number") << QByteArray("1 1") << true;
    QTest::newRow("point: no number") << QByteArray(".") << true;
}

void TestHitDetector::activityField()
{
    QFETCH(QByteArray, field);
    QFETCH(bool, activity);
    QCOMPARE(isActivityField(field), activity);
}

void TestHitDetector::conventionalHit_data()
{
    QTest::addColumn<QByteArray>("tone");
    QTest::addColumn<QString>("toneColumn");
    QTest::addColumn<QByteArray>("field1");

    QTest::newRow("CTCSS") << QByteArray("67") << "C74.4" << QByteArray("01545250");
    QTest::newRow("DCS") << QByteArray("134") << "D043" << QByteArray("01545250");
    QTest::newRow("no name") << QByteArray("120") << "120" << QByteArray("01545250");
    QTest::newRow("none") << QByteArray("0") << "" << QByteArray("01545250");
    QTest::newRow("frequency with a point")
        << QByteArray("67") << "C74.4" << QByteArray("0154.5250");
}

void TestHitDetector::conventionalHit()
{
    QFETCH(QByteArray, tone);
    QFETCH(QString, toneColumn);
    QFETCH(QByteArray, field1);

    HitDetector detector;
    Run run(detector);
    QList<QByteArray> glg = conventional(tone);
    glg[1] = field1;
    run.feed(quiet(glg));
    run.feed(active(glg));
    run.feed(active(glg));
    run.feed(active(glg));
    const HitTickResult end = run.feed(quiet(glg));

    const QString expected = line({"Public Safety / EMS MED Channels", "Med 1", " 154.5250",
                                   toneColumn, "10:00:02", "10:00:04", startupDate});
    QCOMPARE(end.logLine, expected);
    QCOMPARE(run.logbox, expected);
    QVERIFY(end.ended);
    QCOMPARE(end.ended->system, QStringLiteral("Public Safety"));
    QCOMPARE(end.ended->frequency, QStringLiteral(" 154.5250"));
    QCOMPARE(end.ended->tone, toneColumn);
    QCOMPARE(end.ended->talkgroup, QString());
    QCOMPARE(end.ended->startTime, QStringLiteral("10:00:02"));
    QCOMPARE(end.ended->endTime, QStringLiteral("10:00:04"));
    QVERIFY(!end.ended->skipped);
    QVERIFY(!end.ended->trunked);
    QVERIFY(run.commands.isEmpty());
    QVERIFY(!detector.state().hit_active);
}

void TestHitDetector::conventionalFlagsAndActions()
{
    HitDetector detector;
    Run run(detector);

    const HitTickResult idle = run.feed(quiet(conventional()));
    QCOMPARE(idle.freqText, std::optional<QString>(QStringLiteral(" 154.5250")));
    QVERIFY(!idle.recordingStart);
    QVERIFY(!idle.ended);
    QVERIFY(!detector.state().hit_active);

    const HitTickResult start = run.feed(active(conventional()));
    QVERIFY(detector.state().hit_active);
    QVERIFY(start.recordingStart);
    QVERIFY(!start.showExtendedInfo);
    QCOMPARE(detector.state().hit_system, QString());
    QCOMPARE(detector.state().hit_start_time, QString());

    const HitTickResult second = run.feed(active(conventional()));
    QVERIFY(second.recordingStart);
    QVERIFY(second.showExtendedInfo);
    const HitState &state = detector.state();
    QVERIFY(state.have_system && state.have_group && state.have_channel && state.have_code);
    QCOMPARE(state.hit_tone, QStringLiteral("C74.4"));
    QCOMPARE(state.channel_frequency, QStringLiteral(" 154.5250"));
    QCOMPARE(state.win_frequency_raw, QStringLiteral("01545250"));
    QVERIFY(!state.trunked_hit);
    QVERIFY(state.extended_info_shown);

    const HitTickResult third = run.feed(active(conventional()));
    QVERIFY(third.recordingStart);
    QVERIFY(!third.showExtendedInfo);

    const HitTickResult end = run.feed(quiet(conventional()));
    QVERIFY(!end.recordingStart);
    QVERIFY(end.ended);
    QVERIFY(!state.hit_active);
    QVERIFY(!state.have_system && !state.have_group && !state.have_channel && !state.have_code);
    QVERIFY(!state.extended_info_shown);
    QVERIFY(!state.hit_skipped);
    QCOMPARE(state.hit_system, QString());
    QCOMPARE(state.hit_tone, QString());
    QCOMPARE(state.hit_frequency, QString());
    QCOMPARE(state.hit_start_time, QString());
    QCOMPARE(state.hit_end_time, QString());
}

void TestHitDetector::toneZeroRepeatsCapture()
{
    HitDetector detector;
    Run run(detector);
    run.feed(active(conventional("0")));
    run.feed(active(conventional("0")));
    QVERIFY(!detector.state().have_code);
    QCOMPARE(detector.state().hit_tone, QString());
    run.feed(active(conventional("67")));
    QVERIFY(detector.state().have_code);
    QCOMPARE(detector.state().hit_tone, QStringLiteral("C74.4"));
}

void TestHitDetector::p25BeforeTheTone()
{
    HitDetector detector;
    Run run(detector);
    run.feed(active(conventional()));
    detector.screenShowsP25(true);
    run.feed(active(conventional()));
    QCOMPARE(detector.state().hit_tone, QStringLiteral("P25"));
    QVERIFY(!detector.state().have_code);
    const HitTickResult end = run.feed(quiet(conventional()));
    QVERIFY(end.logLine.contains(QStringLiteral("\t 154.5250\tP25\t")));
}

void TestHitDetector::p25AfterTheTone()
{
    HitDetector detector;
    Run run(detector);
    run.feed(active(conventional()));
    run.feed(active(conventional()));
    QCOMPARE(detector.state().hit_tone, QStringLiteral("C74.4"));
    detector.screenShowsP25(true);
    const HitTickResult end = run.feed(quiet(conventional()));
    QVERIFY(end.logLine.contains(QStringLiteral("\tP25\t")));
}

void TestHitDetector::p25BadgeBeforeTheHit_data()
{
    // The badge on each screen: two idle polls, then the hit's first poll.
    QTest::addColumn<QList<bool>>("badges");
    QTest::addColumn<QString>("tone");
    QTest::newRow("badge up to the hit") << QList<bool>{true, true, true} << "P25";
    QTest::newRow("idle screen without it") << QList<bool>{true, false, true} << "P25";
    QTest::newRow("gone on the hit's first screen") << QList<bool>{true, true, false} << "C74.4";
    QTest::newRow("gone on an idle screen") << QList<bool>{true, false, false} << "C74.4";
}

void TestHitDetector::p25BadgeBeforeTheHit()
{
    QFETCH(QList<bool>, badges);
    QFETCH(QString, tone);
    HitDetector detector;
    Run run(detector);
    run.feed(quiet(conventional()));
    detector.screenShowsP25(badges.at(0));
    run.feed(quiet(conventional()));
    detector.screenShowsP25(badges.at(1));
    run.feed(active(conventional()));
    detector.screenShowsP25(badges.at(2));
    run.feed(active(conventional()));
    detector.screenShowsP25(false);
    const HitTickResult end = run.feed(quiet(conventional()));
    QCOMPARE(end.ended->tone, tone);
}

void TestHitDetector::trunkedHit()
{
    HitDetector detector;
    Run run(detector);
    const QList<QByteArray> glg = reception("1234", "0", "Metro", "Police", "Dispatch");
    run.feed(active(glg, "08515625"));
    QVERIFY(!detector.state().trunked_hit);
    const HitTickResult second = run.feed(active(glg, "08515625"));
    QVERIFY(detector.state().trunked_hit);
    QVERIFY(detector.state().trunk_system_seen);
    QVERIFY(detector.state().have_code);
    QCOMPARE(detector.state().hit_talkgroup, QStringLiteral("1234"));
    QCOMPARE(detector.state().channel_frequency, QString());
    QVERIFY(second.showExtendedInfo);

    const HitTickResult end = run.feed(quiet(glg, "08515625"));
    QCOMPARE(end.logLine, line({"Metro / Police", "Dispatch", " 851.5625", "1234", "10:00:01",
                                "10:00:02", startupDate}));
    QVERIFY(end.ended && end.ended->trunked);
    QCOMPARE(end.ended->talkgroup, QStringLiteral("1234"));
    QCOMPARE(end.ended->frequency, QStringLiteral(" 851.5625"));
    QVERIFY(!detector.state().trunked_hit);
    QVERIFY(detector.state().trunk_system_seen);
}

void TestHitDetector::trunkedIdScreen()
{
    HitDetector detector;
    Run run(detector);
    const QList<QByteArray> glg = reception("5501", "0", "Metro", "", "");
    const QByteArray idLine = "ID:5501         ";
    run.feed(active(glg, "08515625", idLine));
    run.feed(active(glg, "08515625", idLine));
    QCOMPARE(detector.state().hit_group, QStringLiteral("Search"));
    QCOMPARE(detector.state().hit_channel, QStringLiteral("ID:5501"));
    QVERIFY(detector.state().have_group && detector.state().have_channel);
    const HitTickResult end = run.feed(quiet(glg, "08515625", idLine));
    QCOMPARE(end.logLine, line({"Metro / Search", "ID:5501", " 851.5625", "5501", "10:00:01",
                                "10:00:02", startupDate}));
}

void TestHitDetector::closeCall()
{
    HitDetector detector;
    Run run(detector);
    const QByteArray pressAnyKey = " Press Any Key  ";
    const QList<QByteArray> glg = reception("04625625", "0", "", "", "");
    const HitTickResult start = run.feed(active(glg, "04625625", pressAnyKey));
    QVERIFY(start.commands.isEmpty());
    const HitTickResult second = run.feed(active(glg, "04625625", pressAnyKey));
    QCOMPARE(second.commands, QList<QByteArray>{"KEY,E,P"});
    const HitTickResult third = run.feed(active(glg, "04625625", pressAnyKey));
    QCOMPARE(third.commands, QList<QByteArray>{"KEY,E,P"});
    const HitTickResult end = run.feed(quiet(glg, "04625625"));
    QVERIFY(end.commands.isEmpty());
    QVERIFY(end.logLine.startsWith(QStringLiteral("Close Call / Close Call\tClose Call\t")));
    QVERIFY(!detector.state().hit_active);
}

void TestHitDetector::blip_data()
{
    QTest::addColumn<bool>("named");
    QTest::newRow("with names") << true;
    QTest::newRow("without names") << false;
}

void TestHitDetector::blip()
{
    QFETCH(bool, named);
    HitDetector detector;
    Run run(detector);
    run.feed(active(noNames()));
    const HitTickResult end = run.feed(quiet(named ? conventional() : noNames()));
    QVERIFY(end.ended);
    QVERIFY(!detector.state().hit_active);
    if (named) {
        QCOMPARE(end.logLine, line({"Public Safety / EMS MED Channels", "Med 1", " 154.5250",
                                    "C74.4", "10:00:01", "10:00:01", startupDate}));
        QVERIFY(!end.ended->skipped);
    } else {
        QCOMPARE(end.logLine, QString());
        QVERIFY(end.ended->skipped);
        QCOMPARE(end.ended->system, QStringLiteral("NA"));
        QCOMPARE(end.ended->channel, QStringLiteral("NA"));
    }
    QVERIFY(!detector.state().hit_skipped);
}

void TestHitDetector::missingName_data()
{
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QByteArray>("channel");
    QTest::addColumn<QString>("head"); // empty: no log line
    QTest::newRow("no system") << QByteArray() << QByteArray("EMS") << QByteArray("Med 1")
                               << "NA / EMS\tMed 1\t";
    QTest::newRow("no group") << QByteArray("Metro") << QByteArray() << QByteArray("Med 1")
                              << "Metro / NA\tMed 1\t";
    QTest::newRow("no channel") << QByteArray("Metro") << QByteArray("EMS") << QByteArray()
                                << "Metro / EMS\tNA\t";
    QTest::newRow("only blanks") << QByteArray("  ") << QByteArray() << QByteArray(" ") << "";
}

void TestHitDetector::missingName()
{
    QFETCH(QByteArray, system);
    QFETCH(QByteArray, group);
    QFETCH(QByteArray, channel);
    QFETCH(QString, head);
    HitDetector detector;
    Run run(detector);
    const QList<QByteArray> glg = reception("01545250", "67", system, group, channel);
    run.feed(active(glg));
    run.feed(active(glg));
    const HitTickResult end = run.feed(quiet(glg));
    QCOMPARE(end.ended->skipped, head.isEmpty());
    QVERIFY2(head.isEmpty() ? end.logLine.isEmpty() : end.logLine.startsWith(head),
             qPrintable(end.logLine));
}

void TestHitDetector::twoHitsNewestFirst()
{
    HitDetector detector;
    Run run(detector);
    run.feed(active(conventional()));
    run.feed(active(conventional()));
    run.feed(quiet(conventional()));
    const QList<QByteArray> fire = reception("04537500", "0", "County", "Fire", "Dispatch");
    run.feed(active(fire, "04537500"));
    run.feed(active(fire, "04537500"));
    run.feed(quiet(fire, "04537500"));

    const QString first = line({"Public Safety / EMS MED Channels", "Med 1", " 154.5250", "C74.4",
                                "10:00:01", "10:00:02", startupDate});
    const QString second =
        line({"County / Fire", "Dispatch", " 453.7500", "", "10:00:04", "10:00:05", startupDate});
    QCOMPARE(run.logbox, second + first);
}

void TestHitDetector::channelFrequencyOutlivesHit_data()
{
    QTest::addColumn<bool>("earlierHit");
    QTest::newRow("after a hit on another channel") << true;
    QTest::newRow("first hit of the run") << false;
}

void TestHitDetector::channelFrequencyOutlivesHit()
{
    QFETCH(bool, earlierHit);
    HitDetector detector;
    Run run(detector);
    if (earlierHit) {
        run.feed(active(conventional()));
        run.feed(active(conventional()));
        run.feed(quiet(conventional()));
        QCOMPARE(detector.state().channel_frequency, QStringLiteral(" 154.5250"));
    }

    // No tone field: the channel frequency is never read; the hit shows the
    // frequency it was heard on.
    const QList<QByteArray> glg = reception("04537500", "", "County", "Fire", "Dispatch");
    run.feed(active(glg, "04537500"));
    run.feed(active(glg, "04537500"));
    const HitTickResult end = run.feed(quiet(glg, "04537500"));
    QVERIFY2(end.logLine.contains(QStringLiteral("\tDispatch\t 453.7500\t\t")),
             qPrintable(end.logLine));
}

void TestHitDetector::channelNameWithArrowByte()
{
    HitDetector detector;
    Run run(detector);
    const QList<QByteArray> glg =
        reception("01545250", "67", "Public Safety", "EMS", "Med\x81 1\x81");
    run.feed(active(glg));
    run.feed(active(glg));
    QCOMPARE(detector.state().hit_channel, QString::fromUtf16(u"Med\u0081 1\u0081"));
    const HitTickResult end = run.feed(quiet(glg));
    QVERIFY(end.logLine.startsWith(QStringLiteral("Public Safety / EMS\tMed 1\t")));
    QCOMPARE(end.ended->channel, QStringLiteral("Med 1"));
}

void TestHitDetector::namesCleaned_data()
{
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QByteArray>("channel");
    QTest::addColumn<QString>("head");
    QTest::newRow("spaces trimmed, other blanks kept")
        << QByteArray("  Public Safety ") << QByteArray("\xa1Med 1\xa1 ")
        << QString::fromUtf16(u"Public Safety / EMS\t\u00a1Med 1\u00a1\t");
    QTest::newRow("TAB in a name") << QByteArray("Public\tSafety") << QByteArray("Med 1")
                                   << "Public Safety / EMS\tMed 1\t 154.5250\t";
    QTest::newRow("DEL in a name") << QByteArray("Public\x7fSafety") << QByteArray("Med 1")
                                   << "Public Safety / EMS\tMed 1\t 154.5250\t";
    QTest::newRow("CR and LF in a name") << QByteArray("Public Safety") << QByteArray("Med\r\n1")
                                         << "Public Safety / EMS\tMed  1\t 154.5250\tC74.4\t";
    // The radio's bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D are C1 controls.
    QTest::newRow("C1 in a name") << QByteArray("Public\x81\x9dSafety")
                                  << QByteArray("Med\x8d\x8f\x90One")
                                  << "Public  Safety / EMS\tMed   One\t 154.5250\t";
}

void TestHitDetector::namesCleaned()
{
    QFETCH(QByteArray, system);
    QFETCH(QByteArray, channel);
    QFETCH(QString, head);
    HitDetector detector;
    Run run(detector);
    const QList<QByteArray> glg = reception("01545250", "67", system, "EMS  ", channel);
    run.feed(active(glg));
    run.feed(active(glg));
    const HitTickResult end = run.feed(quiet(glg));
    QVERIFY2(end.logLine.startsWith(head), qPrintable(end.logLine));
    QCOMPARE(end.logLine.count(u'\t'), 6);
    QCOMPARE(end.logLine.count(u'\n'), 1);
}

void TestHitDetector::endHitNow_data()
{
    QTest::addColumn<int>("activePolls");
    QTest::addColumn<QString>("logLine");
    QTest::newRow("no hit") << 0 << "";
    QTest::newRow("first poll of a hit: no names yet") << 1 << "";
    QTest::newRow("on the air") << 2
                                << line({"Public Safety / EMS MED Channels", "Med 1", " 154.5250",
                                         "C74.4", "10:00:01", "11:30:00", startupDate});
}

void TestHitDetector::endHitNow()
{
    QFETCH(int, activePolls);
    QFETCH(QString, logLine);
    HitDetector detector;
    Run run(detector);
    for (int i = 0; i < activePolls; ++i)
        run.feed(active(conventional()));
    const HitTickResult stopped = detector.endHitNow(QStringLiteral("11:30:00"), startupDate);
    QCOMPARE(stopped.logLine, logLine);
    QCOMPARE(stopped.ended.has_value(), activePolls > 0);
    QVERIFY(!detector.state().hit_active);
    // The radio still receiving afterwards starts a new hit.
    run.feed(active(conventional()));
    QVERIFY(detector.state().hit_active);
    QCOMPARE(detector.state().hit_system, QString());
}

void TestHitDetector::skipCheck_data()
{
    QTest::addColumn<int>("matches");
    QTest::addColumn<int>("keys");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("two") << 2 << 2;
}

void TestHitDetector::skipCheck()
{
    QFETCH(int, matches);
    QFETCH(int, keys);
    HitDetector detector;
    detector.setSkipCheck(
        [matches](const QString &winFrequencyRaw, const QString &, const QString &) {
            return winFrequencyRaw == QStringLiteral("01545250") ? matches : 0;
        });
    Run run(detector);
    const HitTickResult start = run.feed(active(conventional()));
    QCOMPARE(start.commands, QList<QByteArray>(keys, "KEY,>,P"));
    QCOMPARE(detector.state().hit_skipped, keys > 0);
    QCOMPARE(start.recordingStart, keys == 0);
    run.feed(active(conventional()));
    const HitTickResult end = run.feed(quiet(conventional()));
    QCOMPARE(run.commands.size(), 2 * keys);
    QCOMPARE(end.logLine.isEmpty(), keys > 0);
    QCOMPARE(end.ended->skipped, keys > 0);
    QCOMPARE(end.ended->system, QStringLiteral("Public Safety"));
    QVERIFY(!detector.state().hit_skipped);
}

void TestHitDetector::skipCheckSeesTalkgroupAndField3()
{
    HitDetector detector;
    QStringList seen;
    detector.setSkipCheck([&seen](const QString &winFrequencyRaw, const QString &talkgroup,
                                  const QString &stsField3) {
        seen << winFrequencyRaw + QLatin1Char('|') + talkgroup + QLatin1Char('|') + stsField3;
        return talkgroup == QStringLiteral("1234") ? 1 : 0;
    });
    Run run(detector);
    const QList<QByteArray> glg = reception("1234", "0", "Metro", "Police", "Dispatch");
    Poll poll = active(glg, "08515625");
    poll.sts[3] = "ID:77:x";
    const HitTickResult start = run.feed(poll);
    QVERIFY(start.commands.isEmpty());
    const HitTickResult second = run.feed(poll);
    QCOMPARE(second.commands, QList<QByteArray>{"KEY,>,P"});
    QCOMPARE(seen, QStringList({"08515625||ID:77:x", "08515625|1234|ID:77:x"}));
    const HitTickResult end = run.feed(quiet(glg, "08515625"));
    QVERIFY(end.logLine.isEmpty());
    QVERIFY(end.ended->skipped);
    QCOMPARE(seen.size(), 2);
}

void TestHitDetector::winOfEightZerosKeepsFrequency()
{
    HitDetector detector;
    Run run(detector);
    run.feed(quiet(conventional()));
    const HitTickResult zeros = run.feed(quiet(conventional(), "00000000"));
    QVERIFY(!zeros.freqText);
    QCOMPARE(detector.state().hit_frequency, QStringLiteral(" 154.5250"));
    QCOMPARE(detector.state().win_frequency_raw, QStringLiteral("00000000"));
}

void TestHitDetector::emptyWinKeepsFrequency()
{
    HitDetector detector;
    Run run(detector);
    run.feed(quiet(conventional()));
    const HitTickResult empty = run.feed(quiet(conventional(), ""));
    QVERIFY(!empty.freqText);
    QCOMPARE(detector.state().hit_frequency, QStringLiteral(" 154.5250"));
}

void TestHitDetector::nonNumericActivityStartsHit()
{
    HitDetector detector;
    Run run(detector);
    Poll poll = quiet(conventional());
    poll.sts[15] = "X";
    const HitTickResult result = run.feed(poll);
    QVERIFY(detector.state().hit_active);
    QVERIFY(result.recordingStart);
    poll.sts[15] = " 0";
    run.feed(poll);
    QVERIFY(detector.state().hit_active);
    const HitTickResult end = run.feed(quiet(conventional()));
    QVERIFY(end.ended);
}

void TestHitDetector::talkgroupRewritten()
{
    HitDetector detector;
    Run run(detector);
    const QList<QByteArray> glg = reception("1234", "0", "Metro", "Police", "Dispatch");
    run.feed(active(glg, "08515625"));
    run.feed(active(glg, "08515625"));
    detector.setTalkgroup(QStringLiteral("Metro PD 1234"));
    run.feed(active(glg, "08515625"));
    const HitTickResult end = run.feed(quiet(glg, "08515625"));
    QVERIFY(end.logLine.contains(QStringLiteral("\t 851.5625\tMetro PD 1234\t")));
}

void TestHitDetector::missingFieldsDoNotCrash()
{
    HitDetector detector;
    const HitTickResult first = detector.tick({}, {}, {}, QStringLiteral("1"), startupDate);
    QVERIFY(!first.freqText);
    QVERIFY(detector.state().hit_active);
    const HitTickResult second =
        detector.tick({"STS"}, {"GLG"}, {"WIN"}, QStringLiteral("2"), startupDate);
    QVERIFY(second.recordingStart);
}

QTEST_GUILESS_MAIN(TestHitDetector)
#include "tst_hitdetector.moc"
