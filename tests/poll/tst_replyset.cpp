#include "poll/replyset.h"

#include "poll/radiotext.h"

#include <QTest>

namespace {

const QByteArray sixLineScreen =
    QByteArrayLiteral("STS,011000, \x8d\x8e\x8f\x90\x95\x96\x97  \xac\xad    ,,Bethel          ,,"
                      "Bethel PD 1     ,, 453.6000 DCS134,,S0:-2*4***-9*   ,,GRP----------   ,,"
                      "1,0,0,0\r");
const QByteArray fourLineScreen =
    QByteArrayLiteral("STS,1111, -- M E N U --  ,________________,Program System  ,"
                      "****************,Srch/CloCall Opt,,Settings        ,,0,1,0,0\r");
const QByteArray reception =
    QByteArrayLiteral("GLG,04630000,FM,0,0,Public Safety,EMS MED Channels,Med 1,1,0\r");
const QByteArray shortReception = QByteArrayLiteral("GLG,04630000,FM,0,0,Public Safety,EMS,1,0\r");
const QByteArray frequency = QByteArrayLiteral("WIN,86,04630000\r");

} // namespace

class TestReplySet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void split_data();
    void split();
    void keepsFieldBytes();
    void debugBoxText_data();
    void debugBoxText();
    void shapes_data();
    void shapes();
};

void TestReplySet::split_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("stsFields");
    QTest::addColumn<int>("glgFields");
    QTest::addColumn<int>("winFields");

    QTest::newRow("six-line set") << sixLineScreen + reception + frequency << true << 18 << 10 << 3;
    QTest::newRow("four-line set")
        << fourLineScreen + reception + frequency << true << 14 << 10 << 3;
    QTest::newRow("short GLG") << sixLineScreen + shortReception + frequency << true << 18 << 9
                               << 3;
    QTest::newRow("three empty lines") << QByteArray("\r\r\r") << true << 0 << 0 << 0;
    QTest::newRow("5 pieces: key reply after")
        << sixLineScreen + reception + frequency + "KEY,OK\r" << false << 0 << 0 << 0;
    QTest::newRow("5 pieces: key reply before")
        << "KEY,OK\r" + sixLineScreen + reception + frequency << false << 0 << 0 << 0;
    QTest::newRow("7 pieces: two sets")
        << sixLineScreen + reception + frequency + sixLineScreen + reception + frequency << false
        << 0 << 0 << 0;
    QTest::newRow("empty") << QByteArray() << false << 0 << 0 << 0;
    QTest::newRow("1 byte") << QByteArray("\r") << false << 0 << 0 << 0;
    QTest::newRow("2 lines") << sixLineScreen + reception << false << 0 << 0 << 0;
    QTest::newRow("last line without CR")
        << sixLineScreen + reception + frequency.chopped(1) << false << 0 << 0 << 0;
    // The radio sends no byte below 0x20 inside a reply: line noise.
    QTest::newRow("LF inside WIN")
        << sixLineScreen + reception + "WIN,86,0463\n0000\r" << false << 0 << 0 << 0;
    QTest::newRow("TAB inside a name")
        << sixLineScreen + "GLG,04630000,FM,0,0,Public\tSafety,EMS,Med 1,1,0\r" + frequency << false
        << 0 << 0 << 0;
    QTest::newRow("NUL inside STS")
        << QByteArray("STS,011000,") + '\0' + sixLineScreen.mid(11) + reception + frequency << false
        << 0 << 0 << 0;
    QTest::newRow("partial line after the set")
        << sixLineScreen + reception + frequency + "ST" << false << 0 << 0 << 0;
}

void TestReplySet::split()
{
    QFETCH(QByteArray, raw);
    QFETCH(bool, accepted);
    QFETCH(int, stsFields);
    QFETCH(int, glgFields);
    QFETCH(int, winFields);

    const std::optional<ReplySet> set = splitReplySet(raw);
    QCOMPARE(set.has_value(), accepted);
    if (!set)
        return;
    QCOMPARE(set->sts.size(), stsFields);
    QCOMPARE(set->glg.size(), glgFields);
    QCOMPARE(set->win.size(), winFields);
}

void TestReplySet::keepsFieldBytes()
{
    const std::optional<ReplySet> set = splitReplySet(sixLineScreen + reception + frequency);
    QVERIFY(set);
    QCOMPARE(set->sts.at(0), QByteArray("STS"));
    QCOMPARE(set->sts.at(2), QByteArray(" \x8d\x8e\x8f\x90\x95\x96\x97  \xac\xad    "));
    QCOMPARE(set->sts.at(15), QByteArray("0"));
    QCOMPARE(set->sts.at(17), QByteArray("0"));
    QCOMPARE(set->glg.at(7), QByteArray("Med 1"));
    QCOMPARE(set->win.at(2), QByteArray("04630000"));
}

void TestReplySet::debugBoxText_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("expected");

    const QByteArray six = sixLineScreen + reception + frequency;
    QTest::newRow("six-line") << six << QStringLiteral("17 - ") + radioText(six);
    const QByteArray four = fourLineScreen + reception + frequency;
    QTest::newRow("four-line") << four << QStringLiteral("13 - ") + QString::fromLatin1(four);
    QTest::newRow("empty lines") << QByteArray("\r\r\r") << QStringLiteral("-1 - \r\r\r");
}

void TestReplySet::debugBoxText()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, expected);
    const std::optional<ReplySet> set = splitReplySet(raw);
    QVERIFY(set);
    QCOMPARE(::debugBoxText(*set, raw), expected);
}

void TestReplySet::shapes_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<bool>("sixLine");
    QTest::addColumn<bool>("fourLine");
    QTest::addColumn<bool>("reception");
    QTest::addColumn<bool>("frequency");

    QTest::newRow("0") << 0 << false << false << false << false;
    QTest::newRow("3") << 3 << false << false << false << true;
    QTest::newRow("9") << 9 << false << false << false << false;
    QTest::newRow("10") << 10 << false << false << true << false;
    QTest::newRow("14") << 14 << false << true << false << false;
    QTest::newRow("17") << 17 << false << false << false << false;
    QTest::newRow("18") << 18 << true << false << false << false;
    QTest::newRow("19") << 19 << false << false << false << false;
}

void TestReplySet::shapes()
{
    QFETCH(int, fields);
    QFETCH(bool, sixLine);
    QFETCH(bool, fourLine);
    QFETCH(bool, reception);
    QFETCH(bool, frequency);
    const QList<QByteArray> list(fields);
    QCOMPARE(isSixLineScreen(list), sixLine);
    QCOMPARE(isFourLineScreen(list), fourLine);
    QCOMPARE(isReceptionReply(list), reception);
    QCOMPARE(isFrequencyReply(list), frequency);
}

QTEST_GUILESS_MAIN(TestReplySet)
#include "tst_replyset.moc"
