#include "log/hitlogtext.h"

#include <QTest>

class TestHitLogText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsEmpty();
    void newestLineFirst();
    void lineWithoutEndGetsOne();
    void clearEmpties();
};

void TestHitLogText::startsEmpty()
{
    const HitLogText log;
    QVERIFY(log.text().isEmpty());
    QVERIFY(log.isEmpty());
    QCOMPARE(log.lineCount(), 0);
}

void TestHitLogText::newestLineFirst()
{
    HitLogText log;
    log.insertHitLine(QStringLiteral("A / a\tone\r\n"));
    log.insertHitLine(QStringLiteral("B / b\ttwo\r\n"));
    log.insertHitLine(QStringLiteral("C / c\tthree\r\n"));
    QCOMPARE(log.text(), QStringLiteral("C / c\tthree\r\nB / b\ttwo\r\nA / a\tone\r\n"));
    QCOMPARE(log.lineCount(), 3);
}

void TestHitLogText::lineWithoutEndGetsOne()
{
    HitLogText log;
    log.insertHitLine(QStringLiteral("A / a\tone\r\n"));
    log.insertHitLine(QStringLiteral("B / b\ttwo"));
    QCOMPARE(log.text(), QStringLiteral("B / b\ttwo\r\nA / a\tone\r\n"));
    QCOMPARE(log.lineCount(), 2);
}

void TestHitLogText::clearEmpties()
{
    HitLogText log;
    log.insertHitLine(QStringLiteral("A / a\tone\r\n"));
    log.clear();
    QVERIFY(log.text().isEmpty());
    QCOMPARE(log.lineCount(), 0);
    log.insertHitLine(QStringLiteral("B / b\ttwo\r\n"));
    QCOMPARE(log.text(), QStringLiteral("B / b\ttwo\r\n"));
    QCOMPARE(log.lineCount(), 1);
}

QTEST_GUILESS_MAIN(TestHitLogText)
#include "tst_hitlogtext.moc"
