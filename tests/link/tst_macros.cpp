#include "link/macros.h"

#include <QTest>

class TestMacros : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void items_data();
    void items();
    void steps();
    void emptyMacroSendsNothing();
    void saveFile_data();
    void saveFile();
    void readFile_data();
    void readFile();
    void quotesLostOnSaveAndReload();
};

void TestMacros::items_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QByteArray>>("expected");
    using Items = QList<QByteArray>;
    QTest::newRow("three items") << "F,H 1,P F,R" << Items{"F,H", "1,P", "F,R"};
    QTest::newRow("one item") << "S,P" << Items{"S,P"};
    QTest::newRow("empty text") << "" << Items{};
    QTest::newRow("two spaces") << "1,P  2,P" << Items{"1,P", "", "2,P"};
    QTest::newRow("three spaces") << "1,P   2,P" << Items{"1,P", "", "", "2,P"};
    QTest::newRow("leading space") << " 1,P" << Items{"", "1,P"};
    QTest::newRow("trailing space") << "1,P " << Items{"1,P", ""};
    QTest::newRow("a single space") << " " << Items{"", ""};
    QTest::newRow("sent as typed") << "x,Y,z 5" << Items{"x,Y,z", "5"};
    QTest::newRow("tab stays in the item") << "1,P\t2,P" << Items{"1,P?2,P"};
    QTest::newRow("line break cannot start a command")
        << QStringLiteral("1,P\rCLR") << Items{"1,P?CLR"};
    QTest::newRow("Latin-1 kept") << QStringLiteral("\u00e9,P") << Items{"\xe9,P"};
    QTest::newRow("outside Latin-1") << QStringLiteral("\u20ac,P") << Items{"?,P"};
}

void TestMacros::items()
{
    QFETCH(QString, text);
    QFETCH(QList<QByteArray>, expected);
    QCOMPARE(macroItems(text), expected);
}

void TestMacros::steps()
{
    const QList<CommandStep> expected{{"KEY,F,H", 100}, {"KEY,1,P", 100}, {"KEY,F,R", 100}};
    QCOMPARE(macroSteps(QStringLiteral("F,H 1,P F,R")), expected);
    const QList<CommandStep> doubled{{"KEY,1,P", 100}, {"KEY,", 100}, {"KEY,2,P", 100}};
    QCOMPARE(macroSteps(QStringLiteral("1,P  2,P")), doubled);
}

void TestMacros::emptyMacroSendsNothing()
{
    QVERIFY(macroSteps(QString()).isEmpty());
}

void TestMacros::saveFile_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("three macros") << QStringList{"F,H 1,P F,R", "S,P", "M,P >,P"}
                                  << QByteArray("\"F,H 1,P F,R\"\r\n\"S,P\"\r\n\"M,P >,P\"\r\n");
    QTest::newRow("all empty") << QStringList{"", "", ""} << QByteArray("\"\"\r\n\"\"\r\n\"\"\r\n");
    QTest::newRow("missing texts")
        << QStringList{"1,P"} << QByteArray("\"1,P\"\r\n\"\"\r\n\"\"\r\n");
    QTest::newRow("quotes removed")
        << QStringList{"1,\"P\"", "\"", "a\"\"b"} << QByteArray("\"1,P\"\r\n\"\"\r\n\"ab\"\r\n");
    QTest::newRow("a fourth text is not written")
        << QStringList{"1,P", "2,P", "3,P", "4,P"}
        << QByteArray("\"1,P\"\r\n\"2,P\"\r\n\"3,P\"\r\n");
    QTest::newRow("line breaks become item separators")
        << QStringList{"F,H\r\n1,P", "S,P\nH,P\r", QString::fromUtf16(u"M,P\u2029E,P")}
        << QByteArray("\"F,H 1,P\"\r\n\"S,P H,P \"\r\n\"M,P E,P\"\r\n");
}

void TestMacros::saveFile()
{
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, file);
    QCOMPARE(macroSettingsFile(texts), file);
}

void TestMacros::readFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("three lines") << QByteArray("\"F,H 1,P F,R\"\r\n\"S,P\"\r\n\"M,P\"\r\n")
                                 << QStringList{"F,H 1,P F,R", "S,P", "M,P"};
    QTest::newRow("empty pairs") << QByteArray("\"\"\r\n\"\"\r\n\"\"\r\n")
                                 << QStringList{"", "", ""};
    QTest::newRow("one line") << QByteArray("\"1,P\"\r\n") << QStringList{"1,P", "", ""};
    QTest::newRow("empty file") << QByteArray() << QStringList{"", "", ""};
    QTest::newRow("extra lines ignored")
        << QByteArray("\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n") << QStringList{"a", "b", "c"};
    QTest::newRow("no final line end")
        << QByteArray("\"a\"\r\n\"b\"\r\n\"c\"") << QStringList{"a", "b", "c"};
    QTest::newRow("bare line feeds")
        << QByteArray("\"a\"\n\"b\"\n\"c\"\n") << QStringList{"a", "b", "c"};
    QTest::newRow("unquoted and inner quotes")
        << QByteArray("1,P\r\n\"2,\"P\"\r\n\"\r\n") << QStringList{"1,P", "2,P", ""};
}

void TestMacros::readFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, texts);
    QCOMPARE(readMacroSettings(file), texts);
}

void TestMacros::quotesLostOnSaveAndReload()
{
    const QStringList typed{QStringLiteral("1,P \"2,P\""), QStringLiteral("S,P  H,P"),
                            QStringLiteral(" \u00e9 ")};
    const QStringList reloaded = readMacroSettings(macroSettingsFile(typed));
    QCOMPARE(reloaded, (QStringList{QStringLiteral("1,P 2,P"), QStringLiteral("S,P  H,P"),
                                    QStringLiteral(" \u00e9 ")}));
}

QTEST_GUILESS_MAIN(TestMacros)
#include "tst_macros.moc"
