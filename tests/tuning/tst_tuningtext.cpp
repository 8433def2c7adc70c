// The tuning tools' texts: a typed frequency as the radio's digits, the
// quick-search command, the quick scan's entries and steps, the skip list.
#include "tuning/directentry.h"
#include "tuning/listlines.h"
#include "tuning/quickscan.h"
#include "tuning/skiplist.h"
#include "tuning/tunefrequency.h"

#include <QTest>

class TestTuningText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tuneCommand_data();
    void tuneCommand();
    void quickScanEntry_data();
    void quickScanEntry();
    void quickScanSteps();
    void skipMatches_data();
    void skipMatches();
    void overlongListsAreCut();
    void directEntry_data();
    void directEntry();
};

void TestTuningText::tuneCommand_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("modulation"); // list index
    QTest::addColumn<QByteArray>("command");
    const auto row = [](const char *name, const char *typed, int modulation, const char *head) {
        QTest::newRow(name) << QString::fromUtf8(typed) << modulation
                            << QByteArray(head) + ",0,.,.,.,.,.";
    };
    row("155.52 NFM", "155.52", 1, "QSH,01555200,0,NFM");
    row("27.185 FM", "27.185", 0, "QSH,00271850,0,FM");
    row("1240.0125 WFM", "1240.0125", 2, "QSH,12400125,0,WFM");
    row("only a fraction, AM", ".5", 3, "QSH,00005000,0,AM");
    row("point at the end", "155.", 0, "QSH,01550000,0,FM");
    row("second point drops the rest", "155.52.7", 0, "QSH,01555200,0,FM");
    row("long pieces kept", "12345.52500", 0, "QSH,1234552500,0,FM");
    row("letters and spaces pass", "ab. c", -1, "QSH,00ab c00,0,");
    row("no byte for it", "155.\u20ac", 4, "QSH,0155?000,0,");
}

void TestTuningText::tuneCommand()
{
    QFETCH(QString, typed);
    QFETCH(int, modulation);
    QFETCH(QByteArray, command);
    QVERIFY(hasPoint(typed));
    QCOMPARE(BuildQuickSearchCommand(FormatTuneFrequency(typed), modulationOfIndex(modulation)),
             command);
}

void TestTuningText::quickScanEntry_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("entry");
    QTest::newRow("nfm") << "155.52 nfm"
                         << "01555200 NFM";
    QTest::newRow("no word") << "460.1"
                             << "04601000 FM";
    QTest::newRow("WFM, wfm, AM, am") << "88.1 WFM|88.1 wfm|119.0 AM|119.0 am"
                                      << "00881000 WFM|00881000 WFM|01190000 AM|01190000 AM";
    QTest::newRow("mixed case and others are FM") << "155.52 Nfm|119.0 Am|460.1 fm|460.1 x"
                                                  << "01555200 FM|01190000 FM|04601000 FM|"
                                                     "04601000 FM";
    QTest::newRow("third word ignored") << "460.1 am pd"
                                        << "04601000 AM";
    QTest::newRow("word after a second point ignored") << "460.1.5 am"
                                                       << "04601000 FM";
    QTest::newRow("long fraction") << "155.52500 nfm"
                                   << "015552500 NFM";
    QTest::newRow("no point, empty") << "155|"
                                     << "|";
}

void TestTuningText::quickScanEntry()
{
    QFETCH(QString, line);
    QFETCH(QString, entry);
    QStringList built;
    for (const QString &one : line.split(u'|'))
        built << ::quickScanEntry(one);
    QCOMPARE(built.join(u'|'), entry);
}

void TestTuningText::quickScanSteps()
{
    QuickScan scan;
    QCOMPARE(scan.rebuild(listLines(QStringLiteral("155.52 nfm\r\n460.1\r\n\r\n851.0125"))), 0);
    QStringList sent;
    for (int tick = 0; tick < 5; ++tick) {
        const QuickScan::Step step = scan.next();
        sent << (step.command.isEmpty() ? step.debugText : step.debugText.mid(10, 8));
    }
    // The blank line ends the usable list; each wrap costs one silent tick.
    QCOMPARE(sent, QStringList({"01555200", "04601000", "2", "01555200", "04601000"}));
}

void TestTuningText::skipMatches_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("talkgroup");
    QTest::addColumn<QString>("field3");
    QTest::addColumn<int>("matches"); // the radio is on 04601000
    const auto row = [](const char *name, const char *list, const char *talkgroup,
                        const char *field3, int matches) {
        QTest::newRow(name) << QString::fromLatin1(list) << QString::fromLatin1(talkgroup)
                            << QString::fromLatin1(field3) << matches;
    };
    row("frequency", "460.1", "", "", 1);
    row("other frequency", "460.125", "", "", 0);
    row("talkgroup", "1234", "1234", "", 1);
    row("exact, no trimming", "1234 ", "1234", "", 0);
    row("ID on the screen", "77", "", "ID:77:x", 1);
    row("ID needs its prefix", "77", "", "TG:77", 0);
    row("modulation word left in", "460.1 nfm", "", "", 0);
    row("each way and entry counts", "1234\n460.1", "1234", "ID:1234", 3);
    row("blank line in the middle", "155.52\n\n460.1", "", "", 1);
    row("empty first line: off", "\n460.1", "", "", 0);
    row("empty list: off", "", "", "", 0);
}

void TestTuningText::skipMatches()
{
    QFETCH(QString, list);
    QFETCH(QString, talkgroup);
    QFETCH(QString, field3);
    QFETCH(int, matches);
    SkipList skip;
    QCOMPARE(skip.apply(listLines(list)), 0);
    QCOMPARE(skip.matches(QStringLiteral("04601000"), talkgroup, field3), matches);
}

void TestTuningText::overlongListsAreCut()
{
    QStringList lines(1001, QStringLiteral("460.1"));
    lines << QStringLiteral("1234") << QString() << QStringLiteral("162.4");
    SkipList skip;
    QCOMPARE(skip.apply(lines), 3);
    QCOMPARE(skip.matches({}, QStringLiteral("1234"), {}), 0);
    QuickScan scan;
    QCOMPARE(scan.rebuild(lines), 1);
    for (int i = 0; i < 1001; ++i)
        QVERIFY(!scan.next().command.isEmpty());
    QVERIFY(scan.next().command.isEmpty());
}

void TestTuningText::directEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("state");
    const int refused = int(DirectEntryState::Refused);
    const int incomplete = int(DirectEntryState::Incomplete);
    const int complete = int(DirectEntryState::Complete);
    QTest::newRow("frequency") << "155.52" << complete;
    QTest::newRow("four digits each side") << "1240.0125" << complete;
    QTest::newRow("only a fraction") << ".5" << complete;
    QTest::newRow("point at the end") << "155." << complete;
    QTest::newRow("empty") << "" << incomplete;
    QTest::newRow("no point yet") << "155" << incomplete;
    QTest::newRow("the point alone") << "." << incomplete;
    QTest::newRow("letter") << "1620550xyz" << refused;
    QTest::newRow("second point") << "155.52.7" << refused;
    QTest::newRow("space") << "155 .52" << refused;
    QTest::newRow("sign") << "-155.52" << refused;
    QTest::newRow("five digits before") << "12345.5" << refused;
    QTest::newRow("five digits after") << "155.52500" << refused;
    QTest::newRow("other digits") << "\u0661\u0665\u0665.5" << refused;
}

void TestTuningText::directEntry()
{
    QFETCH(QString, typed);
    QFETCH(int, state);
    QCOMPARE(int(checkDirectEntry(typed)), state);
    QCOMPARE(directEntryProblem(typed).isEmpty(), state == int(DirectEntryState::Complete));
}

QTEST_APPLESS_MAIN(TestTuningText)
#include "tst_tuningtext.moc"
