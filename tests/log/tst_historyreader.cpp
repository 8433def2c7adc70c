#include "log/hitlogfile.h"
#include "support/runfolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString hitLine(const QString &names, const QString &start, const QString &end, const QString &date)
{
    return names + QStringLiteral("\tDispatch\t 154.2500\tC67.0\t") + start + u'\t' + end + u'\t' +
           date + QStringLiteral("\r\n");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestHistoryReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void timeOfDay_data();
    void timeOfDay();
    void airTimeOverMidnight();
    void runFileNames_data();
    void runFileNames();
    void dateOfHitLine_data();
    void dateOfHitLine();
    void readsRunsOfBothFoldersSkippingDamage();
};

void TestHistoryReader::timeOfDay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("seconds");
    QTest::newRow("US afternoon") << "3:45:12 PM" << 15 * 3600 + 45 * 60 + 12;
    QTest::newRow("24 hour") << "15:45:12" << 15 * 3600 + 45 * 60 + 12;
    QTest::newRow("midnight hour") << "12:00:05 AM" << 5;
    QTest::newRow("noon hour") << "12:00:05 PM" << 12 * 3600 + 5;
    QTest::newRow("dotted marker") << "9:05:00 p.m." << 21 * 3600 + 5 * 60;
    QTest::newRow("file name part") << "3-45-12-PM" << 15 * 3600 + 45 * 60 + 12;
    QTest::newRow("no seconds") << "15:45" << -1;
    QTest::newRow("hour 25") << "25:00:00" << -1;
    QTest::newRow("three-digit group") << "100:00:00" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestHistoryReader::timeOfDay()
{
    QFETCH(QString, text);
    QFETCH(int, seconds);
    QCOMPARE(secondsOfDay(text), seconds);
}

void TestHistoryReader::airTimeOverMidnight()
{
    QCOMPARE(airSeconds(u"11:59:50 PM", u"12:00:10 AM"), 20);
    QCOMPARE(airSeconds(u"3:45:12 PM", u"3:45:20 PM"), 8);
    QCOMPARE(airSeconds(u"3:45:12 PM", u"later"), -1);
}

void TestHistoryReader::runFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isRun");
    QTest::newRow("run") << "12-06-2026_3-45-12-PM.txt" << true;
    QTest::newRow("24 hour run") << "12-06-2026_15-45-12.txt" << true;
    QTest::newRow("no such date") << "13-06-2026_3-45-12-PM.txt" << false;
    QTest::newRow("settings") << "com_settings.txt" << false;
    QTest::newRow("intel") << "hit_intel.txt" << false;
    QTest::newRow("other suffix") << "12-06-2026_3-45-12-PM.csv" << false;
}

void TestHistoryReader::runFileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, isRun);
    HistoryRun run;
    QCOMPARE(isRunFileName(name, &run), isRun);
}

void TestHistoryReader::dateOfHitLine_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QDate>("read");
    QTest::newRow("a date") << "12-06-2026" << QDate(2026, 12, 6);
    QTest::newRow("no such month") << "13-06-2026" << QDate();
    QTest::newRow("no such day") << "02-30-2026" << QDate();
    QTest::newRow("a sign") << "+1-06-2026" << QDate();
    QTest::newRow("a letter") << "12-0x-2026" << QDate();
}

void TestHistoryReader::dateOfHitLine()
{
    QFETCH(QString, date);
    QFETCH(QDate, read);
    HistoryLoad load;
    const QString line = hitLine(QStringLiteral("A / B"), QStringLiteral("1:00:00 PM"),
                                 QStringLiteral("1:00:05 PM"), date);
    QCOMPARE(readRunFile(line.toUtf8(), 0, load), read.isValid() ? 0 : 1);
    if (read.isValid())
        QCOMPARE(load.hits.value(0).date, read);
}

void TestHistoryReader::readsRunsOfBothFoldersSkippingDamage()
{
    QTemporaryDir logs;
    QTemporaryDir data;
    QString error;
    // Two runs written the way the program writes them, one in each folder.
    const QString older = hitLine(QStringLiteral("County / Fire"), QStringLiteral("3:45:12 PM"),
                                  QStringLiteral("3:45:20 PM"), QStringLiteral("12-06-2026"));
    const QString newer = hitLine(QStringLiteral("Metro / Police"), QStringLiteral("9:00:00 AM"),
                                  QStringLiteral("9:01:30 AM"), QStringLiteral("12-07-2026"));
    QVERIFY(WriteHitLogFile(data.filePath(QStringLiteral("12-06-2026_3-45-00-PM.txt")),
                            older + older, &error));
    QVERIFY(
        WriteHitLogFile(logs.filePath(QStringLiteral("12-07-2026_8-59-00-AM.txt")), newer, &error));
    // This run's own file: its hits come in live, not from the file.
    QVERIFY(WriteHitLogFile(logs.filePath(QStringLiteral("12-07-2026_10-00-00-AM.txt")), newer,
                            &error));
    // A damaged run: a good line, a line cut short, undecodable bytes, a
    // line with a field too many, a NUL-filled tail.
    writeBytes(logs.filePath(QStringLiteral("12-05-2026_1-00-00-AM.txt")),
               older.toUtf8() + "County / Fire\tDisp\r\n" +
                   "Co\xff\xfe / x\ta\tb\tc\td\te\t12-05-2026\r\n" + older.trimmed().toUtf8() +
                   "\textra\r\n" + QByteArray(16, '\0') + "\r\n\r\n");
    // The newer run's copy left behind in the other folder by a change of
    // the log folder, older than the file that was written on: one run.
    const QString leftBehind = data.filePath(QStringLiteral("12-07-2026_8-59-00-AM.txt"));
    QVERIFY(WriteHitLogFile(leftBehind, QString(), &error));
    QFile stale(leftBehind);
    QVERIFY(stale.open(QIODevice::ReadWrite));
    QVERIFY(stale.setFileTime(QDateTime::currentDateTime().addDays(-1),
                              QFileDevice::FileModificationTime));
    stale.close();
    // Another run of that day, started later (1:15 PM sorts before 8:59 AM
    // as text): listed first.
    QVERIFY(
        WriteHitLogFile(data.filePath(QStringLiteral("12-07-2026_1-15-00-PM.txt")), {}, &error));
    // A foreign text under a run's name, and one under another name.
    writeBytes(data.filePath(QStringLiteral("12-04-2026_2-00-00-AM.txt")), "hello world\n");
    writeBytes(data.filePath(QStringLiteral("notes.txt")), "County / Fire\n");

    const HistoryLoad load = readRunFolders({logs.path(), data.path(), logs.path() + u'/'},
                                            QStringLiteral("12-07-2026_10-00-00-AM.txt"));
    QStringList runs;
    for (const HistoryRun &run : load.runs)
        runs.append(run.name);
    QCOMPARE(runs,
             QStringList({"12-07-2026_1-15-00-PM", "12-07-2026_8-59-00-AM", "12-06-2026_3-45-00-PM",
                          "12-05-2026_1-00-00-AM", "12-04-2026_2-00-00-AM"}));
    QCOMPARE(load.hits.size(), 4);
    QCOMPARE(load.hits[0].fields[0], QStringLiteral("Metro / Police"));
    QCOMPARE(load.hits[0].airSeconds, 90);
    QCOMPARE(load.hits[0].run, 1);
    QCOMPARE(load.hits[3].run, 3);
    QCOMPARE(load.hits[3].date, QDate(2026, 12, 6));
    QCOMPARE(skippedText(load.skippedLines, load.filesWithSkips),
             QStringLiteral("5 lines skipped in 2 files"));
}

QTEST_GUILESS_MAIN(TestHistoryReader)
#include "tst_historyreader.moc"
