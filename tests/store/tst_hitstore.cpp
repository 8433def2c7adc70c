#include "log/historyfilter.h"
#include "log/historyreader.h"
#include "store/historyexport.h"
#include "store/hitdatabase.h"
#include "store/hitschema.h"
#include "store/hitstore.h"
#include "store/retention.h"
#include "store/runimport.h"
#include "support/runfolders.h"
#include "support/smalldisk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

const QString runA = QStringLiteral("12-05-2026_8-00-00-PM");
const QString runB = QStringLiteral("12-06-2026_9-00-00-AM");
const char *writerVariable = "TST_HITSTORE_WRITER";

// Run files hold their hits newest first.
const QByteArray fileA =
    "Metro / Harbor Patrol\tTac 2\t460.1250\t\t8:05:00 PM\t8:05:20 PM\t12-05-2026\r\n"
    "County / Fire\tDispatch\t154.2500\t100.0\t8:01:00 PM\t8:01:10 PM\t12-05-2026\r\n";
const QByteArray fileB =
    "State / Troopers\tHarbor Unit\t851.0125\t1234\t9:10:00 AM\t9:10:05 AM\t12-06-2026\r\n";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeRuns(const QString &folder)
{
    writeFile(QDir(folder).filePath(runA + QStringLiteral(".txt")), fileA);
    writeFile(QDir(folder).filePath(runB + QStringLiteral(".txt")), fileB);
}

HistoryRun runOf(const QString &folder, const QString &name)
{
    HistoryRun run;
    isRunFileName(name + QStringLiteral(".txt"), &run);
    run.folder = folder;
    return run;
}

void importFolder(HitStore &store, const QString &folder)
{
    for (const HistoryRun &run : findRunFiles({folder}, {})) {
        QFile file(QDir(folder).filePath(run.name + QStringLiteral(".txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(store.importRunFile(run, file.readAll()).fault, HitStore::Fault::None);
    }
}

StoredHit liveHit(int line)
{
    return hitOfLogLine(QStringLiteral("12-07-2026_7-00-00-PM"), line,
                        QStringLiteral("Metro / Harbor Patrol\tUnit%1x\t460.1250\t\t7:01:00 PM\t"
                                       "7:01:04 PM\t12-07-2026\r\n")
                            .arg(line),
                        QStringLiteral("Metro"), QStringLiteral("Harbor Patrol"), false,
                        1765134064 + line);
}

// The child of the kill test: adds hits until it is killed, saying each
// one's number once it is committed.
int writeUntilKilled(const QString &path)
{
    HitStore store;
    if (store.open(path) != HitStore::Fault::None)
        return 1;
    for (int line = 1;; ++line) {
        if (store.add(liveHit(line)) != HitStore::Fault::None)
            return 1;
        std::printf("%d\n", line);
        std::fflush(stdout);
    }
}

} // namespace

class TestHitStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void migratesEmptyFolder();
    void findsAsHistory_data();
    void findsAsHistory();
    void migratesToCombinations_data();
    void migratesToCombinations();
    void countsFromCombinations_data();
    void countsFromCombinations();
    void countsManyHitsInParts();
    void remembersFewNamesOfLiveHits();
    void importsOnce_data();
    void importsOnce();
    void keepsRecordingAsSaved();
    void survivesKill();
    void waitsForDiskRoom();
    void replacesDamagedFile();
    void exportsFromCommandLine_data();
    void exportsFromCommandLine();
    void choosesRecordingsToDelete_data();
    void choosesRecordingsToDelete();
    void deletesOldestKnownRecordings();
};

void TestHitStore::migratesEmptyFolder()
{
    QTemporaryDir dir;
    const QString path = HitDatabase::fileIn(dir.path());
    {
        HitStore store;
        QCOMPARE(store.open(path), HitStore::Fault::None);
        QVERIFY2(store.trigramSearch(), "SQLite has no FTS5 trigram tokenizer");
        QCOMPARE(store.add(liveHit(1)), HitStore::Fault::None);
    }
    HitStore again;
    QCOMPARE(again.open(path), HitStore::Fault::None);
    QCOMPARE(again.count({}, {}), 1);
    QSqlQuery query(QSqlDatabase::database(QSqlDatabase::connectionNames().constLast()));
    QVERIFY(query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("wal"));
    QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = %1").arg(hitSchemaVersion + 1)));
    again.close();
    HitStore newer;
    QCOMPARE(newer.open(path), HitStore::Fault::Unwritable);
    QVERIFY(newer.lastError().contains(QStringLiteral("newer")));
}

void TestHitStore::findsAsHistory_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<bool>("thisRunOnly");
    QTest::addColumn<int>("count");
    QTest::newRow("all") << QString() << QDate() << QDate() << false << 3;
    QTest::newRow("inside a word, two columns") << "ARBO" << QDate() << QDate() << false << 2;
    QTest::newRow("two words") << "harbor tac" << QDate() << QDate() << false << 1;
    QTest::newRow("short word") << "ta" << QDate() << QDate() << false << 2;
    QTest::newRow("run name") << "12-06" << QDate() << QDate() << false << 1;
    QTest::newRow("frequency") << "154.25" << QDate() << QDate() << false << 1;
    QTest::newRow("quote") << "\"arb" << QDate() << QDate() << false << 0;
    QTest::newRow("between system and group") << "/" << QDate() << QDate() << false << 3;
    QTest::newRow("from") << QString() << QDate(2026, 12, 6) << QDate() << false << 1;
    QTest::newRow("to") << "harbor" << QDate() << QDate(2026, 12, 5) << false << 1;
    QTest::newRow("this run") << QString() << QDate() << QDate() << true << 1;
    QTest::newRow("a time") << "8:05" << QDate() << QDate() << false << 1;
    QTest::newRow("a time and a name") << "8:0 fire" << QDate() << QDate() << false << 1;
    QTest::newRow("a time and a date") << "8:0" << QDate() << QDate(2026, 12, 5) << false << 2;
    QTest::newRow("a date in a name's run") << "12-0 unit" << QDate() << QDate() << false << 1;
    QTest::newRow("this run and a name") << "harbor" << QDate() << QDate() << true << 1;
}

void TestHitStore::findsAsHistory()
{
    QFETCH(QString, text);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(bool, thisRunOnly);
    QFETCH(int, count);
    QTemporaryDir dir;
    writeRuns(dir.path());
    HitStore store;
    QCOMPARE(store.open(HitDatabase::fileIn(dir.path())), HitStore::Fault::None);
    importFolder(store, dir.path());
    const HistoryFilter filter{text, from, to, thisRunOnly};
    QCOMPARE(store.count(filter, runB), count);

    // What the History shows of the same files, newest first.
    const HistoryLoad load = readRunFolders({dir.path()}, {});
    QList<QStringList> shown;
    const QStringList words = filterWords(text);
    for (const HistoryHit &hit : load.hits) {
        const int thisRun = load.runs.first().name == runB ? 0 : 1;
        if (hitMatches(hit, words, filter, thisRun)) {
            QStringList row(hit.fields.cbegin(), hit.fields.cend());
            shown.append(row << load.runs.at(hit.run).name);
        }
    }
    QCOMPARE(store.rows(filter, runB, 0, 100), shown);
}

void TestHitStore::migratesToCombinations_data()
{
    // What each version added, undone newest first.
    const QStringList fourth = {
        "DROP INDEX hits_times", "DROP INDEX hits_end_text", "ALTER TABLE runs DROP COLUMN hits",
        "ALTER TABLE runs DROP COLUMN first_utc", "ALTER TABLE runs DROP COLUMN last_utc",
        "CREATE TRIGGER names_searched AFTER INSERT ON names BEGIN INSERT INTO "
        "name_search(rowid, text) VALUES (new.id, new.text); END"};
    const QStringList third = {"DROP INDEX hits_combo", "ALTER TABLE hits DROP COLUMN combo",
                               "DROP TABLE combos", "ALTER TABLE names DROP COLUMN times"};
    QTest::addColumn<QStringList>("undo");
    QTest::newRow("from the third version") << fourth + QStringList{"PRAGMA user_version = 3"};
    QTest::newRow("from the second version")
        << fourth + third + QStringList{"PRAGMA user_version = 2"};
}

void TestHitStore::migratesToCombinations()
{
    QFETCH(QStringList, undo);
    QTemporaryDir dir;
    writeRuns(dir.path());
    const QString path = HitDatabase::fileIn(dir.path());
    {
        HitStore store;
        QCOMPARE(store.open(path), HitStore::Fault::None);
        importFolder(store, dir.path());
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "older");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const QString &step : std::as_const(undo))
            QVERIFY2(query.exec(step), qPrintable(step));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("older"));
    HitStore store;
    QCOMPARE(store.open(path), HitStore::Fault::None);
    QCOMPARE(store.count({QStringLiteral("harbor"), {}, {}, false}, {}), 2);
    QCOMPARE(store.count({QStringLiteral("8:05"), {}, {}, false}, {}), 1);
    QCOMPARE(store.view({}, {}, 1).total, 3);
    // The runs' counts and spans came from their hits.
    const HistoryFilter runAOnly{{}, QDate(2026, 12, 5), QDate(2026, 12, 5), false};
    QCOMPARE(store.count(runAOnly, {}), 2);
    QCOMPARE(store.rows(runAOnly, {}, 0, 5).value(1).value(4), QStringLiteral("8:01:00 PM"));
    QCOMPARE(store.addAll({liveHit(1)}), HitStore::Fault::None);
    QCOMPARE(store.count({QStringLiteral("harbor"), {}, {}, false}, {}), 3);
    QCOMPARE(store.count({QStringLiteral("unit1x"), {}, {}, false}, {}), 1);
    QCOMPARE(store.count({{}, {}, {}, true}, liveHit(1).run), 1);
}

void TestHitStore::countsFromCombinations_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("all") << QString();
    QTest::newRow("a name") << "harbor";
    QTest::newRow("digits of a frequency") << "154";
    QTest::newRow("a time") << "8:05";
    QTest::newRow("the live channel") << "unit";
}

void TestHitStore::countsFromCombinations()
{
    QFETCH(QString, text);
    QTemporaryDir dir;
    writeRuns(dir.path());
    HitStore store;
    QCOMPARE(store.open(HitDatabase::fileIn(dir.path())), HitStore::Fault::None);
    importFolder(store, dir.path());
    // Hits that are there already add nothing to their combination.
    QCOMPARE(store.importRunFile(runOf(dir.path(), runA), fileA + "\r\n").added, 0);
    QCOMPARE(store.addAll({liveHit(1), liveHit(2), liveHit(1)}), HitStore::Fault::None);
    const HistoryFilter filter{text, {}, {}, false};
    const qint64 count = store.count(filter, {});
    QCOMPARE(count, store.rows(filter, {}, 0, 100).size());
    qint64 hits = 0;
    for (const HistoryCount &channel : store.counts(filter, {}, CountBy::Channel))
        hits += channel.hits;
    QCOMPARE(hits, count);
    QCOMPARE(store.view(filter, {}, 2).total, 5);
}

void TestHitStore::countsManyHitsInParts()
{
    QTemporaryDir dir;
    const QString path = HitDatabase::fileIn(dir.path());
    const int many = 40000;
    QList<StoredHit> hits;
    for (int line = 1; line <= many; ++line)
        hits.append(liveHit(line));
    HitStore store;
    QCOMPARE(store.open(path), HitStore::Fault::None);
    QCOMPARE(store.addAll(hits), HitStore::Fault::None);
    // A time and a name, each in every hit: the newest are counted first.
    const HistoryFilter filter{QStringLiteral("7:01 harbor"), {}, {}, false};
    const HistoryView view = store.view(filter, {}, 2);
    QVERIFY(view.counting);
    QVERIFY(view.shown > 0 && view.shown < many);
    QCOMPARE(view.rows.value(0).texts.value(1), QStringLiteral("Unit%1x").arg(many));
    QCOMPARE(store.count(filter, {}), many);
    QCOMPARE(store.countBetween(filter, {}, 0, many / 2) +
                 store.countBetween(filter, {}, many / 2, many),
             many);
    store.close();

    HitDatabase db(path);
    QSignalSpy counted(&db, &HistorySource::countReady);
    db.requestCount(7, filter, {});
    QTRY_COMPARE(counted.size(), 1);
    QCOMPARE(counted.first().at(1).toLongLong(), many);
}

// Each live hit brings new names (its times at least): only a few are
// remembered, and a name forgotten is found again, not added twice.
void TestHitStore::remembersFewNamesOfLiveHits()
{
    QTemporaryDir dir;
    HitStore store;
    QCOMPARE(store.open(HitDatabase::fileIn(dir.path())), HitStore::Fault::None);
    for (int line = 1; line <= 1100; ++line)
        QCOMPARE(store.add(liveHit(line)), HitStore::Fault::None);
    QVERIFY2(store.rememberedNames() <= 1000, qPrintable(QString::number(store.rememberedNames())));
    StoredHit again = liveHit(1101);
    again.channel = liveHit(7).channel;
    QCOMPARE(store.add(again), HitStore::Fault::None);
    const HistoryFilter filter{QStringLiteral("unit7x"), {}, {}, false};
    const QList<HistoryCount> channels = store.counts(filter, {}, CountBy::Channel);
    QCOMPARE(channels.size(), 1);
    QCOMPARE(channels.first().hits, 2);
}

void TestHitStore::importsOnce_data()
{
    QTest::addColumn<QStringList>("imports"); // folders, in order: "one", "two", "live"
    QTest::addColumn<int>("count");
    QTest::newRow("once") << QStringList{"one"} << 3;
    QTest::newRow("the same file twice") << QStringList{"one", "one"} << 3;
    QTest::newRow("in two folders") << QStringList{"one", "two"} << 3;
    QTest::newRow("after its hits came live") << QStringList{"live", "one"} << 3;
}

void TestHitStore::importsOnce()
{
    QFETCH(QStringList, imports);
    QFETCH(int, count);
    QTemporaryDir dir;
    const QString one = dir.filePath(QStringLiteral("one"));
    const QString two = dir.filePath(QStringLiteral("two"));
    QDir().mkpath(one);
    QDir().mkpath(two);
    writeRuns(one);
    writeRuns(two);
    // A damaged line in the copy: skipped and counted, the rest kept.
    writeFile(QDir(two).filePath(runB + QStringLiteral(".txt")), fileB + "cut short\r\n");
    HitStore store;
    QCOMPARE(store.open(HitDatabase::fileIn(dir.path())), HitStore::Fault::None);
    for (const QString &what : std::as_const(imports)) {
        if (what == QLatin1String("live")) {
            const RunFileHits run = hitsOfRunFile(runOf(one, runA), fileA);
            QCOMPARE(store.addAll(run.hits), HitStore::Fault::None);
        } else {
            importFolder(store, dir.filePath(what));
        }
    }
    QCOMPARE(store.count({}, {}), count);
    HitStore::Import copy = store.importRunFile(runOf(two, runB), fileB + "cut short\r\n");
    QCOMPARE(copy.added, 0);
    QCOMPARE(copy.skippedLines, imports.contains(QStringLiteral("two")) ? 0 : 1);
}

void TestHitStore::keepsRecordingAsSaved()
{
    QTemporaryDir dir;
    // One second of 8 kHz 16-bit mono.
    const QString wav = dir.filePath(QStringLiteral("Metro_Harbor Patrol (2).wav"));
    QByteArray header = "RIFF....WAVEfmt ";
    const auto le32 = [](quint32 v) { return QByteArray(reinterpret_cast<char *>(&v), 4); };
    header += le32(16) + QByteArray("\x01\x00\x01\x00", 4) + le32(8000) + le32(16000) +
              QByteArray("\x02\x00\x10\x00", 4) + "data" + le32(16000);
    writeFile(wav, header + QByteArray(16000, '\0'));
    StoredHit hit = liveHit(4);
    hit.recordingPath = wav;
    {
        HitDatabase database(HitDatabase::fileIn(dir.path()));
        database.addHit(hit);
        database.waitUntilIdle();
    }
    HitStore store;
    QCOMPARE(store.open(HitDatabase::fileIn(dir.path())), HitStore::Fault::None);
    const StoredRecording found = store.recordingOf(hit.run, 4);
    QCOMPARE(found.path, wav);
    QCOMPARE(found.ms, 1000);
}

void TestHitStore::survivesKill()
{
    QTemporaryDir dir;
    const QString path = HitDatabase::fileIn(dir.path());
    QProcess writer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(writerVariable), path);
    writer.setProcessEnvironment(environment);
    writer.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(writer.waitForStarted());
    QByteArray said;
    while (said.count('\n') < 300 && writer.waitForReadyRead(10000))
        said += writer.readAllStandardOutput();
    writer.kill();
    QVERIFY(writer.waitForFinished());
    const QList<QByteArray> lines = said.trimmed().split('\n');
    QVERIFY(lines.size() >= 300);
    const int lastCommitted = lines.constLast().toInt();

    HitStore store;
    QCOMPARE(store.open(path), HitStore::Fault::None);
    QCOMPARE(store.integrityCheck(), QStringLiteral("ok"));
    const qint64 kept = store.count({}, {});
    QVERIFY2(kept == lastCommitted || kept == lastCommitted + 1, qPrintable(QString::number(kept)));
    QCOMPARE(store.count({QStringLiteral("unit%1x").arg(lastCommitted), {}, {}, false}, {}), 1);
}

void TestHitStore::waitsForDiskRoom()
{
    SmallDisk disk(4096);
    if (!disk.isMounted())
        QSKIP("No right to mount a small disk here");
    const QString path = HitDatabase::fileIn(disk.path());
    HitDatabase database(path, 20);
    QSignalSpy told(&database, &HitDatabase::tellUser);
    database.addHit(liveHit(1));
    database.waitUntilIdle();
    disk.fill();
    for (int line = 2; line <= 30; ++line)
        database.addHit(liveHit(line));
    QCOMPARE(database.waitingCount(), 29);
    QTRY_VERIFY(told.size() == 1); // after some retries, still one message
    QVERIFY(told.first().first().toString().contains(QStringLiteral("kept in memory")));
    disk.free();
    QTRY_COMPARE(database.waitingCount(), 0);
    QCOMPARE(told.size(), 1);
    HitStore store;
    QCOMPARE(store.open(path), HitStore::Fault::None);
    QCOMPARE(store.count({}, {}), 30);
}

void TestHitStore::replacesDamagedFile()
{
    QTemporaryDir dir;
    writeRuns(dir.path());
    const QString path = HitDatabase::fileIn(dir.path());
    writeFile(path, QByteArray(8192, 'x'));
    {
        HitDatabase database(path);
        QSignalSpy told(&database, &HitDatabase::tellUser);
        QSignalSpy imported(&database, &HitDatabase::importFinished);
        database.importFolders({dir.path()}, {});
        QTRY_COMPARE(imported.size(), 1);
        QCOMPARE(imported.first().first().toInt(), 3);
        QCOMPARE(told.size(), 1);
    }
    QVERIFY(QFile::exists(path + QStringLiteral(".damaged-") +
                          QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    HitStore store;
    QCOMPARE(store.open(path), HitStore::Fault::None);
    QCOMPARE(store.count({}, {}), 3);
}

void TestHitStore::exportsFromCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("find");
    QTest::newRow("all") << QStringList{} << 0 << QString();
    QTest::newRow("found") << QStringList{"--find", "harbor", "--to", "2026-12-05"} << 0
                           << "harbor";
    QTest::newRow("no date") << QStringList{"--from", "yesterday"} << 2 << QString();
    QTest::newRow("no file") << QStringList{"--export-history", "gone/x.csv"} << 2 << QString();
}

void TestHitStore::exportsFromCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, find);
    QTemporaryDir dir;
    writeRuns(dir.path());
    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No display to be had: the export must not need one.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(dir.path());
    program.start(QStringLiteral(TOLLVANE_PROGRAM),
                  QStringList{"--data-dir", dir.path(), "--export-history", csv} + arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(program.readAllStandardError().isEmpty(), exitCode == 0);
    if (exitCode != 0)
        return;
    HitStore store;
    QCOMPARE(store.open(HitDatabase::fileIn(dir.path())), HitStore::Fault::None);
    QFile written(csv);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray expected = historyCsv(
        store, {find, {}, arguments.contains("--to") ? QDate(2026, 12, 5) : QDate()}, {});
    QCOMPARE(written.readAll(), expected);
    QCOMPARE(expected.count('\n'), find.isEmpty() ? 4 : 2);
}

void TestHitStore::choosesRecordingsToDelete_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("gigabytes");
    QTest::addColumn<QList<qint64>>("doomed");
    // Hits 1 to 4, 40, 20, 5 and 1 days old, of 1.2, 0.9, 0.6 and 0.3 GB.
    QTest::newRow("off") << 0 << 0 << QList<qint64>{};
    QTest::newRow("days") << 10 << 0 << QList<qint64>{1, 2};
    QTest::newRow("none that old") << 365 << 0 << QList<qint64>{};
    QTest::newRow("size") << 0 << 2 << QList<qint64>{1};
    QTest::newRow("less size") << 0 << 1 << QList<qint64>{1, 2};
    QTest::newRow("within the size") << 0 << 3 << QList<qint64>{};
    QTest::newRow("days, then size") << 30 << 1 << QList<qint64>{1, 2};
    QTest::newRow("days beyond size") << 10 << 2 << QList<qint64>{1, 2};
}

void TestHitStore::choosesRecordingsToDelete()
{
    QFETCH(int, days);
    QFETCH(int, gigabytes);
    QFETCH(QList<qint64>, doomed);
    constexpr qint64 now = 2000000000;
    const QList<KeptRecording> kept = {{1, "a", 1200000000, now - 40 * 86400},
                                       {2, "b", 900000000, now - 20 * 86400},
                                       {3, "c", 600000000, now - 5 * 86400},
                                       {4, "d", 300000000, now - 86400}};
    QList<qint64> chosen;
    for (const KeptRecording &recording :
         recordingsToDelete(kept, 3000000000, {days, gigabytes}, now))
        chosen.append(recording.hit);
    QCOMPARE(chosen, doomed);
}

void TestHitStore::deletesOldestKnownRecordings()
{
    QTemporaryDir dir;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    // An unknown file, older than any: never deleted.
    const QString stranger = dir.filePath(QStringLiteral("stranger.wav"));
    writeFile(stranger, QByteArray(500, 's'));
    QFile(stranger).setFileTime(QDateTime::fromSecsSinceEpoch(now - 400 * 86400),
                                QFileDevice::FileModificationTime);
    HitDatabase database(HitDatabase::fileIn(dir.path()));
    QSignalSpy deleted(&database, &HitDatabase::recordingsDeleted);
    for (int line = 1; line <= 3; ++line) {
        StoredHit hit = liveHit(line);
        hit.startUtc = now - (40 - 10 * line) * 86400;
        hit.recordingPath = dir.filePath(QStringLiteral("hit (%1).wav").arg(line));
        writeFile(hit.recordingPath, QByteArray(1000 * line, 'w'));
        database.addHit(hit);
    }
    database.setRetention({15, 0});
    QTRY_COMPARE(deleted.size(), 1);
    QCOMPARE(deleted.first(), (QVariantList{2, qint64(3000)}));
    QVERIFY(QFile::exists(stranger));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("hit (1).wav"))));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("hit (3).wav"))));
    HitStore store;
    QCOMPARE(store.open(HitDatabase::fileIn(dir.path())), HitStore::Fault::None);
    QCOMPARE(store.count({}, {}), 3);
    QVERIFY(store.recordingOf(liveHit(2).run, 2).deleted);
    QVERIFY(!store.recordingOf(liveHit(3).run, 3).deleted);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(writerVariable))
        return writeUntilKilled(qEnvironmentVariable(writerVariable));
    TestHitStore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hitstore.moc"
