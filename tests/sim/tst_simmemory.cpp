// The simulated radio's memory reads: the record layouts and the refusals.
#include "sim/simradio.h"

#include <QtTest>

class TestSimMemory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
        QCOMPARE(radio.reply("SIH"), "SIH," + m.systemIndex(0));
        const QList<QByteArray> sin = radio.reply("SIN," + m.systemIndex(1)).split(',');
        QCOMPARE(sin.size(), fields);
        QCOMPARE(sin.mid(next - 1, 3),
                 (QList<QByteArray>{m.systemIndex(0), m.systemIndex(2), m.groupIndex(1, 0)}));
        const QList<QByteArray> gin = radio.reply("GIN," + m.groupIndex(0, 1)).split(',');
        QCOMPARE(gin.size(), 11);
        QCOMPARE(gin.at(6), m.groupIndex(0, 2));
        QCOMPARE(gin.at(8), m.channelIndex(0, 1, 0));
        const QList<QByteArray> cin = radio.reply("CIN," + m.channelIndex(0, 0, 0)).split(',');
        QCOMPARE(cin.size(), 15);
        QCOMPARE(cin.at(12), m.channelIndex(0, 0, 1));
        // Handles are not consecutive numbers.
        QVERIFY(m.channelIndex(0, 0, 1).toInt() - m.channelIndex(0, 0, 0).toInt() > 1);
    }

    void refusals_data()
    {
        const SimMemory m;
        QTest::addColumn<bool>("programming");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("outside programming") << false << QByteArray("SIH") << QByteArray("SIH,NG");
        QTest::newRow("talkgroup read as a channel")
            << true << "CIN," + m.channelIndex(1, 0, 0) << QByteArray("CIN,NG");
        QTest::newRow("system read as a group")
            << true << "GIN," + m.systemIndex(0) << QByteArray("GIN,NG");
        QTest::newRow("no such index") << true << QByteArray("CIN,12") << QByteArray("CIN,ERR");
        QTest::newRow("index missing") << true << QByteArray("GIN") << QByteArray("GIN,ERR");
    }
    void refusals()
    {
        QFETCH(bool, programming);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, answer);
        SimRadio radio;
        if (programming)
            radio.reply("PRG");
        QCOMPARE(radio.reply(command), answer);
    }
};

QTEST_GUILESS_MAIN(TestSimMemory)
#include "tst_simmemory.moc"
