// Finding the radio's answer among the lines that have arrived, and telling
// a radio that answers from one that does not.
#include "link/noanswerwatch.h"
#include "link/replyline.h"

#include <QtTest>

class TestReplyLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void takesTheAnswerLine_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("answer"); // "<none>": no answer yet
        QTest::addColumn<QByteArray>("left");
        QTest::newRow("the answer") << QByteArray("SIN,CNV,Marion\r") << QByteArray("SIN,5166")
                                    << QByteArray("SIN,CNV,Marion") << QByteArray();
        QTest::newRow("unfinished") << QByteArray("SIN,CNV,Mar") << QByteArray("SIN,5166")
                                    << QByteArray("<none>") << QByteArray("SIN,CNV,Mar");
        QTest::newRow("late poll replies first")
            << QByteArray("GLG,,,,,,,,,\rWIN,86,01554750\rPRG,OK\rSIH,5166\r") << QByteArray("SIH")
            << QByteArray("SIH,5166") << QByteArray();
        QTest::newRow("a name that only starts the same")
            << QByteArray("SINX,1\rSIN,NG\r") << QByteArray("SIN,1") << QByteArray("SIN,NG")
            << QByteArray();
        QTest::newRow("ERR answers any command")
            << QByteArray("KEY,OK\rERR\rnext") << QByteArray("CIN,1") << QByteArray("ERR")
            << QByteArray("next");
        QTest::newRow("stray lines are dropped, the rest kept")
            << QByteArray("KEY,OK\rCIN,A") << QByteArray("CIN,7") << QByteArray("<none>")
            << QByteArray("CIN,A");
        QTest::newRow("an empty line is no answer")
            << QByteArray("\r") << QByteArray("GIN,3") << QByteArray("<none>") << QByteArray();
    }
    void takesTheAnswerLine()
    {
        QFETCH(QByteArray, received);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, left);
        const std::optional<QByteArray> found = takeReplyLine(received, commandName(command));
        QCOMPARE(found.value_or("<none>"), answer);
        QCOMPARE(received, left);
    }

    // What tells a live radio from no radio or the wrong speed.
    void aReplyLineIsThreeCapitalsAloneOrBeforeAComma_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("reply");
        QTest::newRow("a poll reply") << QByteArray("STS,011000, HOLD\r") << true;
        QTest::newRow("ERR") << QByteArray("ERR\r") << true;
        QTest::newRow("after a broken line") << QByteArray("\xf3\x1e\rKEY,OK\r") << true;
        QTest::newRow("not yet ended") << QByteArray("STS,011000") << false;
        QTest::newRow("garbage at the wrong speed") << QByteArray("\x80\xfe\x00x\r\xe0\r") << false;
        QTest::newRow("four capitals") << QByteArray("ABCD\r") << false;
    }
    void aReplyLineIsThreeCapitalsAloneOrBeforeAComma()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, reply);
        QCOMPARE(holdsReplyLine(bytes), reply);
    }

    void theRadioIsSilentAfterTwoSecondsOfAskingUntilItReplies()
    {
        NoAnswerWatch watch;
        QCOMPARE(watch.msToSilence(500), -1);
        watch.asked(1000);
        watch.asked(1100); // the wait runs from the first ask
        QCOMPARE(watch.msToSilence(1500), 1500);
        QVERIFY(!watch.silent(2999));
        QVERIFY(watch.silent(3000));
        QVERIFY(!watch.took("\x80\x81"));
        QVERIFY(watch.took("WIN,86,04536000\r"));
        QVERIFY(!watch.silent(9000));
        watch.asked(9000);
        watch.reset();
        QVERIFY(!watch.silent(20000));
    }
};

QTEST_GUILESS_MAIN(TestReplyLine)
#include "tst_replyline.moc"
