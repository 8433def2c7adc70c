// The tuning tools' texts: the radio's digits of a typed frequency, the
// quick-search command, the quick scan's entries and steps, the skip list's
// entries and matches, and the licence search address.
#include "tuning/fcclookup.h"
#include "tuning/listlines.h"
#include "tuning/quickscan.h"
#include "tuning/skiplist.h"
#include "tuning/tunefrequency.h"

#include <QTest>
#include <QUrlQuery>

class TestTuningText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tuneFrequency_data();
    void tuneFrequency();
    void quickSearchCommand_data();
    void quickSearchCommand();
    void quickScanEntry_data();
    void quickScanEntry();
    void quickScanSteps();
    void quickScanLeavesOutLinesPastTheLast();
    void skipMatches_data();
    void skipMatches();
    void skipApplyReplacesTheWholeList();
    void fccAddress_data();
    void fccAddress();
};

void TestTuningText::tuneFrequency_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("digits");
    QTest::newRow("155.52") << "155.52"
                            << "01555200";
    QTest::newRow("27.185") << "27.185"
                            << "00271850";
    QTest::newRow("1240.0125") << "1240.0125"
                               << "12400125";
    QTest::newRow("only a fraction") << ".5"
                                     << "00005000";
    QTest::newRow("point at the end") << "155."
                                      << "01550000";
    QTest::newRow("just a point") << "."
                                  << "00000000";
    QTest::newRow("second point drops the rest") << "155.52.7"
                                                 << "01555200";
    QTest::newRow("long fraction kept") << "155.52500"
                                        << "015552500";
    QTest::newRow("long whole kept") << "12345.6"
                                     << "123456000";
    QTest::newRow("modulation word stays") << "155.52 nfm"
                                           << "015552 nfm";
    QTest::newRow("letters pass") << "ab.c"
                                  << "00abc000";
    QTest::newRow("sign and space pass") << "-1 .2"
                                         << "0-1 2000";
}

void TestTuningText::tuneFrequency()
{
    QFETCH(QString, typed);
    QFETCH(QString, digits);
    QVERIFY(hasPoint(typed));
    QCOMPARE(FormatTuneFrequency(typed), digits);
}

void TestTuningText::quickSearchCommand_data()
{
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<int>("modulationIndex");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("FM") << "01555200" << 0 << QByteArray("QSH,01555200,0,FM,0,.,.,.,.,.");
    QTest::newRow("NFM") << "01555200" << 1 << QByteArray("QSH,01555200,0,NFM,0,.,.,.,.,.");
    QTest::newRow("WFM") << "00881000" << 2 << QByteArray("QSH,00881000,0,WFM,0,.,.,.,.,.");
    QTest::newRow("AM") << "01190000" << 3 << QByteArray("QSH,01190000,0,AM,0,.,.,.,.,.");
    QTest::newRow("no selection") << "01555200" << -1 << QByteArray("QSH,01555200,0,,0,.,.,.,.,.");
    QTest::newRow("index past the list")
        << "01555200" << 4 << QByteArray("QSH,01555200,0,,0,.,.,.,.,.");
    QTest::newRow("nine digits") << "015552500" << 0
                                 << QByteArray("QSH,015552500,0,FM,0,.,.,.,.,.");
    QTest::newRow("character without a byte")
        << QStringLiteral("0155\u20ac200") << 0 << QByteArray("QSH,0155?200,0,FM,0,.,.,.,.,.");
}

void TestTuningText::quickSearchCommand()
{
    QFETCH(QString, frequency);
    QFETCH(int, modulationIndex);
    QFETCH(QByteArray, command);
    QCOMPARE(BuildQuickSearchCommand(frequency, modulationOfIndex(modulationIndex)), command);
}

void TestTuningText::quickScanEntry_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("entry");
    QTest::newRow("nfm") << "155.52 nfm"
                         << "01555200 NFM";
    QTest::newRow("no word") << "460.1"
                             << "04601000 FM";
    QTest::newRow("NFM") << "155.52 NFM"
                         << "01555200 NFM";
    QTest::newRow("Nfm is FM") << "155.52 Nfm"
                               << "01555200 FM";
    QTest::newRow("wfm") << "88.1 wfm"
                         << "00881000 WFM";
    QTest::newRow("WFM") << "88.1 WFM"
                         << "00881000 WFM";
    QTest::newRow("am") << "119.0 am"
                        << "01190000 AM";
    QTest::newRow("AM") << "119.0 AM"
                        << "01190000 AM";
    QTest::newRow("Am is FM") << "119.0 Am"
                              << "01190000 FM";
    QTest::newRow("fm") << "460.1 fm"
                        << "04601000 FM";
    QTest::newRow("unknown word") << "460.1 xyz"
                                  << "04601000 FM";
    QTest::newRow("third word ignored") << "460.1 am pd"
                                        << "04601000 AM";
    QTest::newRow("word after a second point ignored") << "460.1.5 am"
                                                       << "04601000 FM";
    QTest::newRow("two spaces: no word") << "460.1  am"
                                         << "04601000 FM";
    QTest::newRow("long fraction") << "155.52500 nfm"
                                   << "015552500 NFM";
    QTest::newRow("only a point") << "."
                                  << "00000000 FM";
    QTest::newRow("no point") << "155"
                              << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTuningText::quickScanEntry()
{
    QFETCH(QString, line);
    QFETCH(QString, entry);
    QCOMPARE(::quickScanEntry(line), entry);
}

void TestTuningText::quickScanSteps()
{
    QuickScan scan;
    QCOMPARE(scan.rebuild(listLines(QStringLiteral("155.52 nfm\r\n460.1\r\n\r\n851.0125"))), 0);
    QStringList sent;
    for (int tick = 0; tick < 7; ++tick) {
        const QuickScan::Step step = scan.next();
        sent << (step.command.isEmpty() ? step.debugText : QString::fromLatin1(step.command));
    }
    // The blank line ends the usable list; each wrap costs one silent tick.
    QCOMPARE(sent,
             QStringList({"QSH,01555200,0,NFM,0,.,.,.,.,.", "QSH,04601000,0,FM,0,.,.,.,.,.", "2",
                          "QSH,01555200,0,NFM,0,.,.,.,.,.", "QSH,04601000,0,FM,0,.,.,.,.,.", "2",
                          "QSH,01555200,0,NFM,0,.,.,.,.,."}));
    QCOMPARE(scan.rebuild({}), 0);
    QCOMPARE(scan.index(), 0);
    QVERIFY(scan.next().command.isEmpty());
}

void TestTuningText::quickScanLeavesOutLinesPastTheLast()
{
    QStringList lines(1001, QStringLiteral("460.1"));
    lines << QStringLiteral("155.52") << QString() << QStringLiteral("no point")
          << QStringLiteral("162.4");
    QuickScan scan;
    QCOMPARE(scan.rebuild(lines), 2);
    QCOMPARE(scan.entries().size(), 1001);
    QCOMPARE(scan.entries().last(), QStringLiteral("04601000 FM"));
    for (int i = 0; i < 1001; ++i)
        QVERIFY(!scan.next().command.isEmpty());
    QVERIFY(scan.next().command.isEmpty());
    QCOMPARE(scan.index(), 0);
}

void TestTuningText::skipMatches_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("win");
    QTest::addColumn<QString>("talkgroup");
    QTest::addColumn<QString>("field3");
    QTest::addColumn<int>("matches");
    QTest::newRow("frequency") << "460.1"
                               << "04601000"
                               << ""
                               << "" << 1;
    QTest::newRow("other frequency") << "460.1"
                                     << "04601250"
                                     << ""
                                     << "" << 0;
    QTest::newRow("talkgroup") << "1234"
                               << "08515625"
                               << "1234"
                               << "" << 1;
    QTest::newRow("talkgroup is exact") << "1234 "
                                        << "08515625"
                                        << "1234"
                                        << "" << 0;
    QTest::newRow("ID on the screen") << "77"
                                      << "08515625"
                                      << ""
                                      << "ID:77" << 1;
    QTest::newRow("ID between colons") << "77"
                                       << "08515625"
                                       << ""
                                       << "ID:77:x" << 1;
    QTest::newRow("ID needs its prefix") << "77"
                                         << "08515625"
                                         << ""
                                         << "TG:77" << 0;
    QTest::newRow("modulation word never matches") << "155.52 nfm"
                                                   << "01555200"
                                                   << ""
                                                   << "" << 0;
    QTest::newRow("one entry, two ways") << "1234"
                                         << "08515625"
                                         << "1234"
                                         << "ID:1234" << 2;
    QTest::newRow("two entries") << "460.1\r\n460.1"
                                 << "04601000"
                                 << ""
                                 << "" << 2;
    QTest::newRow("blank line in the middle") << "155.52\r\n\r\n460.1"
                                              << "04601000"
                                              << ""
                                              << "" << 1;
    QTest::newRow("empty first line: off") << "\r\n460.1"
                                           << "04601000"
                                           << ""
                                           << "" << 0;
    QTest::newRow("empty list: off") << ""
                                     << "04601000"
                                     << ""
                                     << "" << 0;
    QTest::newRow("empty talkgroup never matches") << "460.1"
                                                   << "01555200"
                                                   << ""
                                                   << "" << 0;
}

void TestTuningText::skipMatches()
{
    QFETCH(QString, list);
    QFETCH(QString, win);
    QFETCH(QString, talkgroup);
    QFETCH(QString, field3);
    QFETCH(int, matches);
    SkipList skip;
    QCOMPARE(skip.apply(listLines(list)), 0);
    QCOMPARE(skip.matches(win, talkgroup, field3), matches);
}

void TestTuningText::skipApplyReplacesTheWholeList()
{
    SkipList skip;
    skip.apply({QStringLiteral("155.52"), QStringLiteral("1234")});
    QCOMPARE(skip.matches(QStringLiteral("08515625"), QStringLiteral("1234"), {}), 1);
    QCOMPARE(skip.lastEntry(), QStringLiteral("1234"));
    skip.apply({QStringLiteral("460.1")});
    QCOMPARE(skip.matches(QStringLiteral("08515625"), QStringLiteral("1234"), {}), 0);
    QCOMPARE(skip.lastEntry(), QStringLiteral("04601000"));

    QStringList lines(1001, QStringLiteral("x"));
    lines << QStringLiteral("1234") << QStringLiteral("9");
    QCOMPARE(skip.apply(lines), 2);
    QCOMPARE(skip.entries().size(), 1001);
    QCOMPARE(skip.matches(QStringLiteral("08515625"), QStringLiteral("1234"), {}), 0);
}

void TestTuningText::fccAddress_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("freq"); // the decoded value of "freq"
    QTest::newRow("155.52 in CA") << "CA"
                                  << "155.52"
                                  << "155.52";
    QTest::newRow("as typed, not normalised") << "NY"
                                              << " 0155.5200 "
                                              << " 0155.5200 ";
    QTest::newRow("ampersand stays in the value") << "NY"
                                                  << "155.52&state=TX"
                                                  << "155.52&state=TX";
    QTest::newRow("hash stays in the value") << "NY"
                                             << "155.52#x"
                                             << "155.52#x";
    QTest::newRow("percent stays in the value") << "NY"
                                                << "155.52%26"
                                                << "155.52%26";
    QTest::newRow("no state chosen") << ""
                                     << "460.1"
                                     << "460.1";
}

void TestTuningText::fccAddress()
{
    QFETCH(QString, state);
    QFETCH(QString, typed);
    QFETCH(QString, freq);
    const QUrl url = fccLookupUrl(state, typed);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme() + QStringLiteral("://") + url.host(), fccServiceAddress.toString());
    QCOMPARE(url.path(), QStringLiteral("/cgi-bin/ws.exe/genmen/uls/freq_st_res.hts"));
    QVERIFY(url.fragment().isNull());
    const QUrlQuery query(url);
    const auto items = query.queryItems(QUrl::FullyDecoded);
    QCOMPARE(items.size(), 4);
    QCOMPARE(items.at(0), qMakePair(QStringLiteral("db_id"), QStringLiteral("19")));
    QCOMPARE(items.at(1), qMakePair(QStringLiteral("rows"), QStringLiteral("0")));
    QCOMPARE(items.at(2), qMakePair(QStringLiteral("state"), state));
    QCOMPARE(items.at(3), qMakePair(QStringLiteral("freq"), freq));
    if (typed == QLatin1String("155.52"))
        QVERIFY(url.toString().endsWith(QStringLiteral("state=CA&freq=155.52")));

    QVERIFY(fccLookupUrl(state, QStringLiteral("155")).isEmpty());
}

QTEST_APPLESS_MAIN(TestTuningText)
#include "tst_tuningtext.moc"
