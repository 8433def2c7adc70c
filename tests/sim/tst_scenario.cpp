#include "sim/scenario.h"
#include "sim/simradio.h"

#include <QtTest>

namespace {

bool isDigits(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool isLoggableName(const QByteArray &name)
{
    if (name.size() > 16 || name != name.trimmed())
        return false;
    for (char c : name) {
        if (c < 0x20 || c > 0x7e || c == ',' || c == '"')
            return false;
    }
    return true;
}

struct Hit
{
    QByteArray system;
    QByteArray group;
    QByteArray channel;
    QByteArray frequency;
    QByteArray code;

    bool operator==(const Hit &other) const = default;
};

// Follows the radio the way a hit logger does, one reply set per tick:
// activity from STS field 15, names and codes from GLG taken while the hit
// lasts, the Close Call screen answered with "KEY,E,P".
class HitFollower
{
public:
    explicit HitFollower(SimRadio &radio) : m_radio(radio) {}

    // Returns the activity field of the tick.
    bool tick()
    {
        const QList<QByteArray> sts = m_radio.reply("STS").split(',');
        const QList<QByteArray> glg = m_radio.reply("GLG").split(',');
        const QList<QByteArray> win = m_radio.reply("WIN").split(',');
        const QByteArray winRaw = win.value(2).left(8);
        if (winRaw != "00000000")
            m_hitFrequency = winRaw;
        if (m_active)
            capture(sts, glg, winRaw);
        const bool activity = sts.value(15) == "0";
        if (activity) {
            m_active = true;
        } else if (m_active) {
            finish();
        }
        if (sts.value(8).contains("P25"))
            m_tone = "P25";
        return activity;
    }

    QList<Hit> hits() const { return m_hits; }

private:
    void capture(const QList<QByteArray> &sts, const QList<QByteArray> &glg,
                 const QByteArray &winRaw)
    {
        if (m_hit.system.isEmpty())
            m_hit.system = glg.value(5);
        if (m_hit.group.isEmpty())
            m_hit.group = glg.value(6);
        if (m_hit.channel.isEmpty())
            m_hit.channel = glg.value(7);
        if (!m_haveCode && !glg.value(4).isEmpty()) {
            if (winRaw == glg.value(1).left(8)) {
                m_channelFrequency = glg.value(1).left(8);
                if (glg.value(4) != "0" && m_tone != "P25") {
                    m_tone = glg.value(4);
                    m_haveCode = true;
                }
            } else {
                if (sts.value(6).startsWith("ID:")) {
                    m_hit.group = "Search";
                    m_hit.channel = sts.value(6).trimmed();
                }
                if (m_talkgroup.isEmpty()) {
                    m_talkgroup = glg.value(1);
                    m_haveCode = !m_talkgroup.isEmpty();
                }
                m_trunked = true;
            }
        }
        if (sts.value(6) == " Press Any Key  ") {
            m_radio.reply("KEY,E,P");
            m_hit.system = m_hit.group = m_hit.channel = "Close Call";
        }
    }

    void finish()
    {
        if (!(m_hit.system.isEmpty() && m_hit.group.isEmpty() && m_hit.channel.isEmpty())) {
            m_hit.frequency = m_trunked ? m_hitFrequency : m_channelFrequency;
            m_hit.code = m_trunked ? m_talkgroup : m_tone;
            m_hits.append(m_hit);
        }
        m_active = false;
        m_hit = {};
        m_haveCode = false;
        m_trunked = false;
        m_talkgroup.clear();
        m_tone.clear();
    }

    SimRadio &m_radio;
    bool m_active = false;
    bool m_haveCode = false;
    bool m_trunked = false;
    Hit m_hit;
    QByteArray m_talkgroup;
    QByteArray m_tone;
    QByteArray m_hitFrequency;
    QByteArray m_channelFrequency;
    QList<Hit> m_hits;
};

// The hit a logger should have written for a reception of the ground truth.
Hit expectedHit(const Reception &truth)
{
    Hit hit{truth.system, truth.group, truth.channel, truth.frequency, truth.logCode()};
    if (truth.isP25())
        hit.code = "P25";
    else if (!truth.isTrunked() && truth.tone == "0")
        hit.code.clear();
    return hit;
}

} // namespace

class TestScenario : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameSeedSameScenario_data();
    void sameSeedSameScenario();
    void differentSeedsDiffer();
    void receptionsAreWellFormed_data();
    void receptionsAreWellFormed();
    void everyKindOccurs();
    void rateSetsMeanCycle_data();
    void rateSetsMeanCycle();
    void nonPositiveRateCountsAsOneAMinute();
    void activityMatchesGroundTruth_data();
    void activityMatchesGroundTruth();
    void followedHitsMatchGroundTruth_data();
    void followedHitsMatchGroundTruth();
    void setScenarioKeepsWhatHasPlayed();
};

void TestScenario::sameSeedSameScenario_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<double>("rate");
    QTest::newRow("seed 1") << 1u << 6.0;
    QTest::newRow("seed 42 busy") << 42u << 40.0;
    QTest::newRow("seed max") << 0xffffffffu << 2.5;
}

void TestScenario::sameSeedSameScenario()
{
    QFETCH(quint32, seed);
    QFETCH(double, rate);
    const Scenario first = Scenario::generate(seed, 60, rate);
    const Scenario second = Scenario::generate(seed, 60, rate);
    QCOMPARE(first.receptions().size(), 60);
    QVERIFY(first == second);
}

void TestScenario::differentSeedsDiffer()
{
    const Scenario one = Scenario::generate(1, 30, 6);
    const Scenario two = Scenario::generate(2, 30, 6);
    QVERIFY(!(one == two));
    int same = 0;
    for (int i = 0; i < 30; ++i)
        same += one.receptions().at(i) == two.receptions().at(i) ? 1 : 0;
    QVERIFY(same < 5);
    QVERIFY(Scenario::generate(7, 0, 6).isEmpty());
}

void TestScenario::receptionsAreWellFormed_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 99u, 1234u, 65535u})
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void TestScenario::receptionsAreWellFormed()
{
    QFETCH(quint32, seed);
    const Scenario scenario = Scenario::generate(seed, 200, 6);
    for (const Reception &r : scenario.receptions()) {
        const QByteArray what = QByteArray(kindName(r.kind)) + ' ' + r.system + '/' + r.channel;
        QVERIFY2(r.gapTicks >= 3, what);
        QVERIFY2(r.frequency.size() == 8 && isDigits(r.frequency), what);
        const int megahertz = r.frequency.left(4).toInt();
        QVERIFY2(megahertz >= 25 && megahertz < 1300, what);
        QVERIFY2(r.signal >= 1 && r.signal <= 5, what);
        for (const QByteArray &name : {r.system, r.group, r.channel})
            QVERIFY2(isLoggableName(name), what);
        if (r.kind == Reception::Kind::Blip) {
            QCOMPARE(r.activeTicks, 1);
            QVERIFY(r.system.isEmpty() && r.group.isEmpty() && r.channel.isEmpty());
            continue;
        }
        QVERIFY2(r.activeTicks >= 3, what);
        QVERIFY2(!r.system.isEmpty(), what);
        if (r.isTrunked()) {
            QVERIFY2(isDigits(r.talkgroup), what);
            QCOMPARE(r.tone, QByteArray("0"));
            continue;
        }
        QVERIFY2(!r.channel.isEmpty(), what);
        QVERIFY2(r.talkgroup.isEmpty(), what);
        const int tone = r.tone.toInt();
        QVERIFY2(r.tone == "0" || (tone >= 64 && tone <= 113) || (tone >= 128 && tone <= 231),
                 what + ' ' + r.tone);
        if (r.isP25() || r.kind == Reception::Kind::CloseCall)
            QCOMPARE(r.tone, QByteArray("0"));
    }
}

void TestScenario::everyKindOccurs()
{
    const Scenario scenario = Scenario::generate(5, 400, 6);
    QSet<Reception::Kind> kinds;
    bool unnamedTalkgroup = false;
    bool toneCoded = false;
    for (const Reception &r : scenario.receptions()) {
        kinds.insert(r.kind);
        unnamedTalkgroup |= r.isTrunked() && r.channel.isEmpty();
        toneCoded |= r.kind == Reception::Kind::Conventional && r.tone != "0";
    }
    QCOMPARE(kinds.size(), 5);
    QVERIFY(unnamedTalkgroup);
    QVERIFY(toneCoded);
}

void TestScenario::rateSetsMeanCycle_data()
{
    QTest::addColumn<double>("rate");
    QTest::newRow("2 a minute") << 2.0;
    QTest::newRow("6 a minute") << 6.0;
    QTest::newRow("12 a minute") << 12.0;
}

void TestScenario::rateSetsMeanCycle()
{
    QFETCH(double, rate);
    const int count = 1000;
    const Scenario scenario = Scenario::generate(11, count, rate);
    const double meanCycle = double(scenario.totalTicks()) / count;
    const double wanted = 600.0 / rate;
    QVERIFY2(qAbs(meanCycle - wanted) < 0.2 * wanted,
             qPrintable(QStringLiteral("mean %1 ticks, wanted %2").arg(meanCycle).arg(wanted)));
}

void TestScenario::nonPositiveRateCountsAsOneAMinute()
{
    QCOMPARE(Scenario::generate(3, 20, 0), Scenario::generate(3, 20, 1));
    QCOMPARE(Scenario::generate(3, 20, -5), Scenario::generate(3, 20, 1));
    const Scenario busy = Scenario::generate(3, 100, 1000);
    for (const Reception &r : busy.receptions())
        QCOMPARE(r.gapTicks, 3);
}

void TestScenario::activityMatchesGroundTruth_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<double>("rate");
    QTest::newRow("seed 1") << 1u << 6.0;
    QTest::newRow("seed 8 busy") << 8u << 60.0;
    QTest::newRow("seed 77") << 77u << 20.0;
}

void TestScenario::activityMatchesGroundTruth()
{
    QFETCH(quint32, seed);
    QFETCH(double, rate);
    const Scenario scenario = Scenario::generate(seed, 40, rate);
    SimRadio radio;
    radio.setScenario(scenario);
    QList<bool> activity;
    // The tick after the last one of the scenario finds the radio idle.
    while (!radio.isIdle()) {
        activity.append(radio.reply("STS").split(',').value(15) == "0");
        radio.reply("GLG");
        radio.reply("WIN");
        QVERIFY(activity.size() <= scenario.totalTicks() + 1);
    }
    QCOMPARE(activity.size(), scenario.totalTicks() + 1);

    const QList<Reception> truth = radio.groundTruth();
    QCOMPARE(truth.size(), scenario.receptions().size());
    QList<bool> expected(activity.size(), false);
    int end = 0;
    for (int i = 0; i < truth.size(); ++i) {
        const Reception &played = scenario.receptions().at(i);
        QCOMPARE(truth.at(i).kind, played.kind);
        QCOMPARE(truth.at(i).frequency, played.frequency);
        QCOMPARE(truth.at(i).activeTicks, played.activeTicks);
        QCOMPARE(truth.at(i).startTick, end + played.gapTicks + 1);
        end += played.totalTicks();
        for (int t = 0; t < truth.at(i).activeTicks; ++t)
            expected[truth.at(i).startTick - 1 + t] = true;
    }
    QCOMPARE(activity, expected);
}

void TestScenario::followedHitsMatchGroundTruth_data()
{
    activityMatchesGroundTruth_data();
}

void TestScenario::followedHitsMatchGroundTruth()
{
    QFETCH(quint32, seed);
    QFETCH(double, rate);
    const Scenario scenario = Scenario::generate(seed, 80, rate);
    SimRadio radio;
    radio.setScenario(scenario);
    HitFollower follower(radio);
    while (!radio.isIdle())
        follower.tick();
    follower.tick();

    QList<Hit> expected;
    int closeCalls = 0;
    for (const Reception &truth : radio.groundTruth()) {
        if (truth.expectLogged)
            expected.append(expectedHit(truth));
        closeCalls += truth.kind == Reception::Kind::CloseCall ? 1 : 0;
    }
    const QList<Hit> hits = follower.hits();
    QVERIFY(hits.size() > 40);
    QCOMPARE(hits.size(), expected.size());
    for (int i = 0; i < hits.size(); ++i) {
        const QByteArray where = "hit " + QByteArray::number(i);
        QVERIFY2(hits.at(i).system == expected.at(i).system, where + " system");
        QVERIFY2(hits.at(i).group == expected.at(i).group, where + " group");
        QVERIFY2(hits.at(i).channel == expected.at(i).channel, where + " channel");
        QVERIFY2(hits.at(i).frequency == expected.at(i).frequency, where + " frequency");
        QVERIFY2(hits.at(i).code == expected.at(i).code, where + " code");
    }
    QVERIFY(closeCalls > 0);
}

void TestScenario::setScenarioKeepsWhatHasPlayed()
{
    SimRadio radio;
    radio.setScenario(Scenario::generate(4, 2, 30));
    while (!radio.isIdle())
        radio.reply("STS");
    QCOMPARE(radio.groundTruth().size(), 2);
    radio.setScenario(Scenario::generate(5, 3, 30));
    QCOMPARE(radio.pendingCount(), 3);
    while (!radio.isIdle())
        radio.reply("STS");
    QCOMPARE(radio.groundTruth().size(), 5);
}

QTEST_GUILESS_MAIN(TestScenario)
#include "tst_scenario.moc"
