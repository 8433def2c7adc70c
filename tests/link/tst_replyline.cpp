// Finding the radio's answer among the lines that have arrived.
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
};

QTEST_GUILESS_MAIN(TestReplyLine)
#include "tst_replyline.moc"
