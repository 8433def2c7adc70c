// When the poll may send its next set: every tick on a fast line; on a slow
// one once the last set's three replies are in, or after a few ticks.
#include "poll/pollpacing.h"

#include <QTest>

class TestPollPacing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nextSet_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<QByteArray>("waiting");
        QTest::addColumn<int>("ticksUntilSent");
        QTest::newRow("115200, nothing in") << 115200 << QByteArray() << 1;
        QTest::newRow("38400, nothing in") << 38400 << QByteArray() << 1;
        QTest::newRow("9600, all three in") << 9600 << QByteArray("STS,x\rGLG,y\rWIN,z\r") << 1;
        QTest::newRow("9600, two in") << 9600 << QByteArray("STS,x\rGLG,y\rWIN") << 5;
        QTest::newRow("19200, nothing in") << 19200 << QByteArray() << 5;
    }
    void nextSet()
    {
        QFETCH(int, baud);
        QFETCH(QByteArray, waiting);
        QFETCH(int, ticksUntilSent);
        PollPacing pacing;
        pacing.setBaud(baud);
        QVERIFY(pacing.tickMaySend({}));
        pacing.sent();
        int ticks = 1;
        while (!pacing.tickMaySend(waiting))
            ++ticks;
        QCOMPARE(ticks, ticksUntilSent);
        QCOMPARE(pacing.repliesIn(waiting), PollPacing::pacedAt(baud) && waiting.count('\r') >= 3);
    }

    void reopenedLineSendsAtOnce()
    {
        PollPacing pacing;
        pacing.setBaud(9600);
        pacing.sent();
        pacing.restart();
        QVERIFY(pacing.tickMaySend({}));
    }
};

QTEST_GUILESS_MAIN(TestPollPacing)
#include "tst_pollpacing.moc"
