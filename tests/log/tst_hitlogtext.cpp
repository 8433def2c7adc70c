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
    void linesNewestFirst_data();
    void linesNewestFirst();
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

void TestHitLogText::linesNewestFirst_data()
{
    QTest::addColumn<QStringList>("inserted");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("one") << QStringList{"A / a\tone\r\n"} << QStringList{"A / a\tone"};
    QTest::newRow("three") << QStringList{"A\r\n", "B\r\n", "C\r\n"} << QStringList{"C", "B", "A"};
    QTest::newRow("no line end") << QStringList{"A\r\n", "B"} << QStringList{"B", "A"};
    QTest::newRow("two lines at once")
        << QStringList{"A\r\n", "B\r\nC\r\n", "D"} << QStringList{"D", "B", "C", "A"};
    QTest::newRow("empty line") << QStringList{"A\r\n", "", "B\r\n"} << QStringList{"B", "", "A"};
}

void TestHitLogText::linesNewestFirst()
{
    QFETCH(QStringList, inserted);
    QFETCH(QStringList, lines);
    HitLogText log;
    for (const QString &line : std::as_const(inserted))
        log.insertHitLine(line);
    QCOMPARE(log.lineCount(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(log.line(i).toString(), lines.at(i));
    QVERIFY(log.line(lines.size()).isNull());
}

QTEST_GUILESS_MAIN(TestHitLogText)
#include "tst_hitlogtext.moc"
