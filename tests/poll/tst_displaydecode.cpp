#include "poll/displaydecode.h"

#include "poll/radiotext.h"

#include <QTest>

namespace {

// An 18-field screen reply with the given display lines and empty mode
// fields; squelch open, audio on.
QList<QByteArray> sixLine(const QByteArray &line1, const QByteArray &line2 = "Bethel          ",
                          const QByteArray &line3 = "Bethel PD 1     ",
                          const QByteArray &line4 = " 453.6000 DCS134",
                          const QByteArray &line5 = "GRP", const QByteArray &line6 = "")
{
    return {"STS", "011000", line1, "",    line2, "",  line3, "",  line4,
            "",    line5,    "",    line6, "",    "1", "0",   "0", "0"};
}

QString spaces(int count)
{
    return QString(count, QLatin1Char(' '));
}

} // namespace

class TestDisplayDecode : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statusLine_data();
    void statusLine();
    void badgeLine_data();
    void badgeLine();
    void iconSets_data();
    void iconSets();
    void arrows_data();
    void arrows();
    void recordedScreen();
    void missingFieldsGiveEmptyLines();
    void fourLine_data();
    void fourLine();
};

void TestDisplayDecode::statusLine_data()
{
    QTest::addColumn<QByteArray>("line1");
    QTest::addColumn<QString>("sigdisplay");
    QTest::addColumn<int>("level");

    QTest::newRow("plain 16 characters")
        << QByteArray("Plain line 16 ch") << "Plain line 16 ch" << 0;
    QTest::newRow("hold, lockout, five bars")
        << QByteArray(" \x8d\x8e\x8f\x90\x95\x96\x97  \xac\xad    ") << "  HOLD L/O" + spaces(8)
        << 5;
    QTest::newRow("priority and one bar")
        << QByteArray("\xa1\xa2       \xa6      ") << " PRI " + spaces(14) << 1;
    QTest::newRow("func, data skip, low battery")
        << QByteArray("\x8b\x91\x92\x93\x94 \x83\x84  \xa6     ") << "FDSKP LOWBAT" + spaces(8)
        << 1;
    QTest::newRow("level 2: one space")
        << QByteArray("ABCDEFGHI\xa7 WXYZ1") << "ABCDEFGHI  WXYZ1" << 2;
    QTest::newRow("level 3: two spaces")
        << QByteArray("ABCDEFGHI\xa8\xa9WXYZ1") << "ABCDEFGHI  WXYZ1" << 3;
    QTest::newRow("level 4: two spaces")
        << QByteArray("ABCDEFGHI\xaa\xabWXYZ1") << "ABCDEFGHI  WXYZ1" << 4;
    QTest::newRow("level 5: two spaces")
        << QByteArray("ABCDEFGHI\xac\xadWXYZ1") << "ABCDEFGHI  WXYZ1" << 5;
    QTest::newRow("first match: SIG1 before SIG3")
        << QByteArray("\xa6 \xa8\xa9            ") << "  SIG3" + spaces(12) << 1;
    QTest::newRow("first match: SIG2 before SIG4")
        << QByteArray("\xaa\xab \xa7            ") << "SIG4  " + spaces(12) << 2;
    QTest::newRow("every occurrence of the word")
        << QByteArray("\xa6 AB\xa6 CDEFGHIJKL") << "  AB  CDEFGHIJKL" << 1;
    QTest::newRow("no signal: 12 + 4 cut") << QByteArray("\xa1\xa2") + "ABCDEFGHIJKLMN"
                                           << " PRI ABCDEFGKLMN" << 0;
    QTest::newRow("no signal, short line stays") << QByteArray("\xa1\xa2") + "AB"
                                                 << " PRI AB" << 0;
    QTest::newRow("key lock after the cut") << QByteArray("\x8d\x8e\x8f\x90\x85\x86") + "ABCDEFGHIJ"
                                            << " HOLD KEYLABCDEGHIJ" << 0;
    QTest::newRow("key lock with a signal")
        << QByteArray("\x85\x86 \xa8\xa9          ") << " KEYL   " + spaces(10) << 3;
    QTest::newRow("word from the radio text counts")
        << QByteArray("SIG2 ABCDEFGHIJK") << "  ABCDEFGHIJK" << 2;
}

void TestDisplayDecode::statusLine()
{
    QFETCH(QByteArray, line1);
    QFETCH(QString, sigdisplay);
    QFETCH(int, level);
    const SixLineScreen screen = decodeSixLineScreen(sixLine(line1));
    QCOMPARE(screen.sigdisplay, sigdisplay);
    QCOMPARE(screen.signalLevel, level);
    QCOMPARE(radioText(screen.line1), sigdisplay);
}

void TestDisplayDecode::badgeLine_data()
{
    QTest::addColumn<QByteArray>("line4");
    QTest::addColumn<QString>("moddisp");
    QTest::addColumn<bool>("p25");

    QTest::newRow("plain") << QByteArray(" 453.6000 DCS134") << " 453.6000 DCS134" << false;
    QTest::newRow("FM") << QByteArray("\x9b\x9c\x9a 453.6000 DCS") << "FM  453.6000 DCS" << false;
    QTest::newRow("NFM, not FM") << QByteArray("\x9d\x9e\x9c\x9a 154.5250  ") << "NFM  154.5250  "
                                 << false;
    QTest::newRow("AM") << QByteArray("\x98\x99\x9a 119.1000") << "AM  119.1000" << false;
    QTest::newRow("WFM") << QByteArray("\x9f\xa0\x9c\x9a 98.1000") << "WFM  98.1000" << false;
    QTest::newRow("attenuator and priority") << QByteArray("\xa3\xa4\xa5\x8c") << "ATT P " << false;
    QTest::newRow("channel marks") << QByteArray("\xb4\xae\xb0\xaf") << "_|||" << false;
    QTest::newRow("close call") << QByteArray("\x87\x88 CC") << "CC CC" << false;
    QTest::newRow("close call tail is no badge")
        << QByteArray("\x87\x88\x89\x8a") << QString::fromUtf16(u"CC\u2030\u0160") << false;
    QTest::newRow("P25") << QByteArray("\x9d\x9e\x9c\x9a P25 851.0125") << "NFM  P25 851.0125"
                         << true;
    QTest::newRow("priority badge then 25") << QByteArray("\x8c") + "25"
                                            << "P 25" << false;
    QTest::newRow("badges together")
        << QByteArray("\x9d\x9e\x9c\x9a\xa3\xa4\xa5\x8c\x87\x88") << "NFM ATT P CC" << false;
}

void TestDisplayDecode::badgeLine()
{
    QFETCH(QByteArray, line4);
    QFETCH(QString, moddisp);
    QFETCH(bool, p25);
    const SixLineScreen screen =
        decodeSixLineScreen(sixLine("                ", "Bethel", "Bethel PD 1", line4));
    QCOMPARE(screen.moddisp, moddisp);
    QCOMPARE(screen.p25, p25);
    QCOMPARE(radioText(screen.line4), moddisp);
}

void TestDisplayDecode::iconSets_data()
{
    QTest::addColumn<QByteArray>("line5");
    QTest::addColumn<QByteArray>("line6");
    QTest::addColumn<QString>("iconsSet1");
    QTest::addColumn<QString>("iconsSet2");

    QTest::newRow("plain") << QByteArray("S0:-2*4***-9*   ") << QByteArray("GRP----------   ")
                           << "S0:-2*4***-9*   "
                           << "GRP----------   ";
    QTest::newRow("close call tail removed") << QByteArray("\x89\x8a GRP") << QByteArray() << " GRP"
                                             << "";
    QTest::newRow("bar frame") << QByteArray() << QByteArray("\xb1\x80\x80\xb2\xb2\xb3") << ""
                               << "##  ";
    QTest::newRow("block stays in set 1") << QByteArray("\x80GRP") << QByteArray("\x80GRP")
                                          << QString::fromUtf16(u"\u20acGRP") << "#GRP";
    QTest::newRow("close call tail stays in set 2")
        << QByteArray() << QByteArray("\x89\x8a") << "" << QString::fromUtf16(u"\u2030\u0160");
}

void TestDisplayDecode::iconSets()
{
    QFETCH(QByteArray, line5);
    QFETCH(QByteArray, line6);
    QFETCH(QString, iconsSet1);
    QFETCH(QString, iconsSet2);
    const SixLineScreen screen =
        decodeSixLineScreen(sixLine("                ", "Bethel", "Bethel PD 1", "", line5, line6));
    QCOMPARE(screen.iconsSet1, iconsSet1);
    QCOMPARE(screen.iconsSet2, iconsSet2);
}

void TestDisplayDecode::arrows_data()
{
    QTest::addColumn<QByteArray>("line2");
    QTest::addColumn<QByteArray>("line3");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("iconsSet1");
    QTest::addColumn<QString>("floatingTaskbar");

    QTest::newRow("no arrow") << QByteArray("  Bethel        ") << QByteArray("Bethel PD 1     ")
                              << "  Bethel        \r\nBethel PD 1     \r\n"
                              << "GRP"
                              << " Bethel/Bethel PD 1     ";
    QTest::newRow("up in line 2") << QByteArray("Bethel \x81       ")
                                  << QByteArray("Bethel PD 1     ")
                                  << "Bethel " + spaces(7) + "\r\nBethel PD 1     \r\n"
                                  << "GRP Up"
                                  << QString::fromUtf16(u" Bethel \u0081/Bethel PD 1     ");
    QTest::newRow("up in line 3") << QByteArray("Bethel          ")
                                  << QByteArray("\x81") + "Bethel PD 1    "
                                  << "Bethel          \r\nBethel PD 1    \r\n"
                                  << "GRP Up"
                                  << " Bethel/Bethel PD 1    ";
    QTest::newRow("down between spaces")
        << QByteArray("Bethel          ") << QByteArray("Bethel PD 1 \x82   ")
        << "Bethel          \r\nBethel PD 1    \r\n"
        << "GRP Dn"
        << " Bethel/Bethel PD 1  ";
    QTest::newRow("down without spaces stays in the taskbar")
        << QByteArray("Bethel          ") << QByteArray("Bethel PD 1\x82    ")
        << "Bethel          \r\nBethel PD 1    \r\n"
        << "GRP Dn" << QString::fromUtf16(u" Bethel/Bethel PD 1\u201a    ");
    QTest::newRow("both arrows") << QByteArray("\x81") + "Bethel         "
                                 << QByteArray("Bethel PD 1 \x82   ")
                                 << "Bethel         \r\nBethel PD 1    \r\n"
                                 << "GRP Up Dn"
                                 << QString::fromUtf16(u" \u0081Bethel/Bethel PD 1  ");
}

void TestDisplayDecode::arrows()
{
    QFETCH(QByteArray, line2);
    QFETCH(QByteArray, line3);
    QFETCH(QString, text1);
    QFETCH(QString, iconsSet1);
    QFETCH(QString, floatingTaskbar);
    const SixLineScreen screen = decodeSixLineScreen(sixLine("                ", line2, line3));
    QCOMPARE(screen.text1, text1);
    QCOMPARE(screen.iconsSet1, iconsSet1);
    QCOMPARE(screen.floatingTaskbar, floatingTaskbar);
}

void TestDisplayDecode::recordedScreen()
{
    const QList<QByteArray> sts =
        QByteArray("STS,011000, \x8d\x8e\x8f\x90\x95\x96\x97  \xac\xad    ,,Bethel          ,,"
                   "Bethel PD 1     ,, 453.6000 DCS134,,S0:-2*4***-9*   ,,GRP----------   ,,"
                   "1,0,0,0")
            .split(',');
    QCOMPARE(sts.size(), 18);
    const SixLineScreen screen = decodeSixLineScreen(sts);
    QCOMPARE(screen.text1, QStringLiteral("Bethel          \r\nBethel PD 1     \r\n"));
    QCOMPARE(screen.floatingTaskbar, QStringLiteral(" Bethel/Bethel PD 1     "));
    QCOMPARE(screen.sigdisplay, QStringLiteral("  HOLD L/O        "));
    QCOMPARE(screen.signalLevel, 5);
    QCOMPARE(screen.moddisp, QStringLiteral(" 453.6000 DCS134"));
    QCOMPARE(screen.iconsSet1, QStringLiteral("S0:-2*4***-9*   "));
    QCOMPARE(screen.iconsSet2, QStringLiteral("GRP----------   "));
    QCOMPARE(screen.line1, QByteArray("  HOLD L/O        "));
    QCOMPARE(screen.line4, QByteArray(" 453.6000 DCS134"));
    QVERIFY(!screen.p25);
}

void TestDisplayDecode::missingFieldsGiveEmptyLines()
{
    const SixLineScreen screen = decodeSixLineScreen({"STS", "011000", "\xa6 "});
    QCOMPARE(screen.signalLevel, 1);
    QCOMPARE(screen.sigdisplay, QStringLiteral("  "));
    QCOMPARE(screen.text1, QStringLiteral("\r\n\r\n"));
    QCOMPARE(screen.floatingTaskbar, QStringLiteral(" /"));
    QCOMPARE(screen.moddisp, QString());
    QCOMPARE(decodeFourLineScreen({}), QStringLiteral("\r\n\r\n\r\n\r\n"));
}

void TestDisplayDecode::fourLine_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("text1");

    QTest::newRow("menu") << QByteArray("STS,1111, -- M E N U --  ,________________,"
                                        "Program System  ,****************,Srch/CloCall Opt,,"
                                        "Settings        ,,0,1,0,0")
                          << " -- M E N U --  \r\n*Program System  \r\nSrch/CloCall Opt\r\n"
                             "Settings        \r\n";
    QTest::newRow("first and last reversed")
        << QByteArray("STS,1111,Line one,****************,Line two,,Line three,*,") +
               "Line four,****************,0,1,0,0"
        << "*Line one\r\nLine two\r\nLine three\r\n*Line four\r\n";
    QTest::newRow("fifteen asterisks are no mark")
        << QByteArray("STS,1111,A,***************,B,,C,,D,,0,1,0,0") << "A\r\nB\r\nC\r\nD\r\n";
    QTest::newRow("symbol bytes as characters")
        << QByteArray("STS,1111,\x80 Menu,,B,,C,,D,,0,1,0,0")
        << QString::fromUtf16(u"\u20ac Menu\r\nB\r\nC\r\nD\r\n");
}

void TestDisplayDecode::fourLine()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, text1);
    const QList<QByteArray> sts = reply.split(',');
    QCOMPARE(sts.size(), 14);
    QCOMPARE(decodeFourLineScreen(sts), text1);
}

QTEST_GUILESS_MAIN(TestDisplayDecode)
#include "tst_displaydecode.moc"
