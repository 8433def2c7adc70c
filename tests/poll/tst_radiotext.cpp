#include "poll/radiotext.h"

#include <QSet>
#include <QTest>

class TestRadioText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void singleByte_data();
    void singleByte();
    void everyByteIsOneDistinctCharacter();
    void keepsLengthAndOrder();
};

void TestRadioText::singleByte_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");

    QTest::newRow("nul") << 0x00 << 0x0000;
    QTest::newRow("A") << 0x41 << 0x0041;
    QTest::newRow("comma") << 0x2C << 0x002C;
    QTest::newRow("80 euro") << 0x80 << 0x20AC;
    QTest::newRow("81 undefined") << 0x81 << 0x0081;
    QTest::newRow("82 low quote") << 0x82 << 0x201A;
    QTest::newRow("85 ellipsis") << 0x85 << 0x2026;
    QTest::newRow("8a S caron") << 0x8A << 0x0160;
    QTest::newRow("8c OE") << 0x8C << 0x0152;
    QTest::newRow("8d undefined") << 0x8D << 0x008D;
    QTest::newRow("8e Z caron") << 0x8E << 0x017D;
    QTest::newRow("8f undefined") << 0x8F << 0x008F;
    QTest::newRow("90 undefined") << 0x90 << 0x0090;
    QTest::newRow("95 bullet") << 0x95 << 0x2022;
    QTest::newRow("99 trade mark") << 0x99 << 0x2122;
    QTest::newRow("9d undefined") << 0x9D << 0x009D;
    QTest::newRow("9f Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("a0 no-break space") << 0xA0 << 0x00A0;
    QTest::newRow("a1 inverted exclamation") << 0xA1 << 0x00A1;
    QTest::newRow("a7 section") << 0xA7 << 0x00A7;
    QTest::newRow("b4 acute") << 0xB4 << 0x00B4;
    QTest::newRow("ff y diaeresis") << 0xFF << 0x00FF;
}

void TestRadioText::singleByte()
{
    QFETCH(int, byte);
    QFETCH(int, codePoint);
    const QString text = radioText(QByteArray(1, char(byte)));
    QCOMPARE(text.size(), 1);
    QCOMPARE(int(text.at(0).unicode()), codePoint);
    QCOMPARE(int(radioChar(static_cast<unsigned char>(byte))), codePoint);
}

void TestRadioText::everyByteIsOneDistinctCharacter()
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(char(byte));
    const QString text = radioText(all);
    QCOMPARE(text.size(), 256);
    QSet<char16_t> seen;
    for (const QChar c : text)
        seen.insert(c.unicode());
    QCOMPARE(seen.size(), 256);
}

void TestRadioText::keepsLengthAndOrder()
{
    QCOMPARE(radioText(QByteArray()), QString());
    QCOMPARE(radioText(QByteArray("\xa1\xa2 Bethel\r", 10)),
             QString::fromUtf16(u"\u00a1\u00a2 Bethel\r"));
}

QTEST_GUILESS_MAIN(TestRadioText)
#include "tst_radiotext.moc"
