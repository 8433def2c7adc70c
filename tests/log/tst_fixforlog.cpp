#include "log/fixforlog.h"

#include <QTest>

class TestFixForLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleansText_data();
    void cleansText();
    void cleansCallersVariable();
};

void TestFixForLog::cleansText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one of each") << QStringLiteral("a b/c\\d:e*f?g\"")
                                 << QStringLiteral("a-b-c-d-e-f-g-");
    QTest::newRow("nothing to clean")
        << QStringLiteral("Fire_Dispatch.2") << QStringLiteral("Fire_Dispatch.2");
    QTest::newRow("time of day") << QStringLiteral("3:45:12 PM") << QStringLiteral("3-45-12-PM");
    QTest::newRow("24 hour time") << QStringLiteral("15:45:12") << QStringLiteral("15-45-12");
    QTest::newRow("runs stay runs") << QStringLiteral("a::b  c") << QStringLiteral("a--b--c");
    QTest::newRow("case kept") << QStringLiteral("Police / EMS") << QStringLiteral("Police---EMS");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("only bad") << QStringLiteral("\"?*:\\/ ") << QStringLiteral("-------");
    QTest::newRow("other punctuation kept")
        << QStringLiteral("a<b>|c.d,e") << QStringLiteral("a<b>|c.d,e");
}

void TestFixForLog::cleansText()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(FixForLog(input), expected);
}

void TestFixForLog::cleansCallersVariable()
{
    QString name = QStringLiteral("County: North/South");
    const QString returned = FixForLog(name);
    QCOMPARE(name, QStringLiteral("County--North-South"));
    QCOMPARE(returned, name);
}

QTEST_GUILESS_MAIN(TestFixForLog)
#include "tst_fixforlog.moc"
