#include "poll/frequencyformat.h"

#include <QTest>

class TestFrequencyFormat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void displayFrequency_data();
    void displayFrequency();
    void isDisplayFrequency_data();
    void isDisplayFrequency();
    void toneName_data();
    void toneName();
};

void TestFrequencyFormat::displayFrequency_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("shown");

    QTest::newRow("154.525") << "01545250"
                             << " 154.5250";
    QTest::newRow("851.5625") << "08515625"
                              << " 851.5625";
    QTest::newRow("463") << "04630000"
                         << " 463.0000";
    QTest::newRow("no leading zero") << "12345678"
                                     << "1234.5678";
    QTest::newRow("eight zeros") << "00000000"
                                 << "    .0000";
    QTest::newRow("zeros drop up to the point") << "00001250"
                                                << "    .1250";
    QTest::newRow("longer: first and last four") << "0154525099"
                                                 << " 154.5099";
    QTest::newRow("leftover OK") << "OK045250"
                                 << "   4.5250";
    QTest::newRow("leftover STS") << "STS04625"
                                  << "    .4625";
    QTest::newRow("leftover KEY") << "0460KEY1"
                                  << "    460.1";
    QTest::newRow("carriage return") << "0154525\r"
                                     << "  154.525";
    QTest::newRow("empty") << ""
                           << "        .";
    QTest::newRow("three characters: all of them twice") << "123"
                                                         << "  123.123";
    QTest::newRow("five characters overlap") << "12345"
                                             << "1234.2345";
}

void TestFrequencyFormat::displayFrequency()
{
    QFETCH(QString, radio);
    QFETCH(QString, shown);
    QCOMPARE(FormatDisplayFrequency(radio), shown);
}

void TestFrequencyFormat::isDisplayFrequency_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("names");

    QTest::newRow("no frequency") << noFrequencyText.toString() << false;
    QTest::newRow("empty field") << FormatDisplayFrequency(QString()) << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("154.5250") << " 154.5250" << true;
    QTest::newRow(".0001") << "    .0001" << true;
}

void TestFrequencyFormat::isDisplayFrequency()
{
    QFETCH(QString, shown);
    QFETCH(bool, names);
    QCOMPARE(::isDisplayFrequency(shown), names);
}

void TestFrequencyFormat::toneName_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");

    QTest::newRow("63 below the tones") << "63"
                                        << "63";
    QTest::newRow("64 first CTCSS") << "64"
                                    << "C67.0";
    QTest::newRow("67") << "67"
                        << "C74.4";
    QTest::newRow("76 100.0") << "76"
                              << "C100.0";
    QTest::newRow("107") << "107"
                         << "C218.1";
    QTest::newRow("113 last CTCSS") << "113"
                                    << "C254.1";
    QTest::newRow("114 no name") << "114"
                                 << "114";
    QTest::newRow("127 search") << "127"
                                << "127";
    QTest::newRow("128 first DCS") << "128"
                                   << "D023";
    QTest::newRow("134") << "134"
                         << "D043";
    QTest::newRow("144") << "144"
                         << "D114";
    QTest::newRow("231 last DCS") << "231"
                                  << "D754";
    QTest::newRow("232 past the codes") << "232"
                                        << "232";
    QTest::newRow("leading zero") << "067"
                                  << "067";
    QTest::newRow("leading space") << " 64"
                                   << " 64";
    QTest::newRow("trailing space") << "64 "
                                    << "64 ";
    QTest::newRow("plus sign") << "+64"
                               << "+64";
    QTest::newRow("zero") << "0"
                          << "0";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("P25") << "P25"
                         << "P25";
    QTest::newRow("four digits") << "1000"
                                 << "1000";
}

void TestFrequencyFormat::toneName()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(::toneName(code), name);
}

QTEST_GUILESS_MAIN(TestFrequencyFormat)
#include "tst_frequencyformat.moc"
