// The simulated radio's memory reads: modes, layouts, links and refusals.
#include "sim/simradio.h"

#include <QtTest>

class TestSimMemory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsAnswerOnlyInProgrammingMode()
    {
        SimRadio radio;
        const QByteArray system = "SIN," + radio.memory().systemIndex(0);
        QCOMPARE(radio.reply("SIH"), QByteArray("SIH,NG"));
        QCOMPARE(radio.reply(system), QByteArray("SIN,NG"));
        radio.reply("PRG");
        QCOMPARE(radio.reply("SIH"), "SIH," + radio.memory().systemIndex(0));
        QVERIFY(radio.reply(system).startsWith("SIN,CNV,Marion County,"));
        radio.reply("EPG");
        QCOMPARE(radio.reply(system), QByteArray("SIN,NG"));
    }

    void recordsLinkTheirChains_data()
    {
        QTest::addColumn<bool>("older");
        QTest::addColumn<int>("fields");
        QTest::addColumn<int>("next");
        QTest::newRow("BCD396T") << false << 17 << 13;
        QTest::newRow("older sibling") << true << 15 << 11;
    }
    void recordsLinkTheirChains()
    {
        QFETCH(bool, older);
        QFETCH(int, fields);
        QFETCH(int, next);
        SimRadio radio;
        const SimMemory &m = radio.memory();
        radio.memory().setOlderSystemLayout(older);
        radio.reply("PRG");
        const QList<QByteArray> sin = radio.reply("SIN," + m.systemIndex(1)).split(',');
        QCOMPARE(sin.size(), fields);
        QCOMPARE(sin.at(2), QByteArray("Baltimore County"));
        QCOMPARE(sin.at(next - 1), m.systemIndex(0));
        QCOMPARE(sin.at(next), m.systemIndex(2));
        QCOMPARE(sin.at(next + 1), m.groupIndex(1, 0));
        const QList<QByteArray> gin = radio.reply("GIN," + m.groupIndex(0, 2)).split(',');
        QCOMPARE(gin.size(), 11);
        QCOMPARE(gin.at(2), QByteArray("Unused"));
        QCOMPARE(gin.at(6), QByteArray("-1"));
        QCOMPARE(gin.at(8), QByteArray("-1"));
        const QList<QByteArray> cin = radio.reply("CIN," + m.channelIndex(0, 0, 0)).split(',');
        QCOMPARE(cin.size(), 15);
        QCOMPARE(cin.mid(1, 2), (QList<QByteArray>{"SO Dispatch", "01554750"}));
        QCOMPARE(cin.at(12), m.channelIndex(0, 0, 1));
        // Handles are not consecutive numbers.
        QVERIFY(m.channelIndex(0, 0, 1).toInt() - m.channelIndex(0, 0, 0).toInt() > 1);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("talkgroup read as a channel")
            << QByteArray("talkgroup") << QByteArray("CIN,NG");
        QTest::newRow("system read as a group") << QByteArray("system") << QByteArray("GIN,NG");
        QTest::newRow("no such index") << QByteArray("CIN,12") << QByteArray("CIN,ERR");
        QTest::newRow("index missing") << QByteArray("GIN") << QByteArray("GIN,ERR");
    }
    void refusals()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, answer);
        SimRadio radio;
        if (command == "talkgroup")
            command = "CIN," + radio.memory().channelIndex(1, 0, 0);
        else if (command == "system")
            command = "GIN," + radio.memory().systemIndex(0);
        radio.reply("PRG");
        QCOMPARE(radio.reply(command), answer);
    }
};

QTEST_GUILESS_MAIN(TestSimMemory)
#include "tst_simmemory.moc"
