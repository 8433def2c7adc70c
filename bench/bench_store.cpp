// The hit database's figures: building it, its size per hit, one live hit's insert, the first rows
// newest first, the History's opening, each keystroke of a find (its count
// and first rows), the counts per channel, and the import of 100,000 hits
// from 200 run files, and the memory the History takes. The number of hits
// is the first argument (1,000,000 by default); a database file as second
// argument is built once and used again by later runs.
//
// The database is built in bulk: the first day's hits go in through the
// store, making every name, combination and the first run as the program
// does; the other days' runs and hits go in by SQL, the hits' indexes
// made again after them. A small build of both kinds is compared first.

#include "log/historymodel.h"
#include "store/hitdatabase.h"
#include "store/hitstore.h"
#include "store/runimport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int batch = 100000;
constexpr int hitsPerDay = 3000;
constexpr int channels = 2000;
constexpr qint64 firstDayUtc = 1577836800;

QString timeText(int seconds)
{
    return QStringLiteral("%1:%2:%3 %4")
        .arg((seconds / 3600 + 11) % 12 + 1)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds >= 12 * 3600 ? QStringLiteral("PM") : QStringLiteral("AM"));
}

int channelOf(qint64 n)
{
    return int((n * 7919) % channels);
}

int secondOf(qint64 n)
{
    return int(n % hitsPerDay * 28);
}

QString runOfDay(qint64 day)
{
    return QDate(2020, 1, 1).addDays(day).toString(QStringLiteral("MM-dd-yyyy")) +
           QStringLiteral("_12-00-00-AM");
}

// The names of a channel: system, group, channel, frequency, code.
QStringList namesOf(int channel)
{
    return {QStringLiteral("County %1").arg(channel % 20),
            QStringLiteral("Group %1").arg(channel % 100),
            QStringLiteral("Dispatch %1").arg(channel),
            QStringLiteral(" %1.%2")
                .arg(150 + channel % 300)
                .arg(channel % 10000, 4, 10, QLatin1Char('0')),
            QStringLiteral("C%1").arg(67 + channel % 100)};
}

// Hit n of a listener's years: 3,000 hits a day over 2,000 channels.
StoredHit hitNumber(qint64 n)
{
    const qint64 day = n / hitsPerDay;
    const int second = secondOf(n);
    const QStringList names = namesOf(channelOf(n));
    StoredHit hit;
    hit.run = runOfDay(day);
    hit.line = int(n % hitsPerDay) + 1;
    hit.system = names[0];
    hit.group = names[1];
    hit.channel = names[2];
    hit.frequency = names[3];
    hit.code = names[4];
    hit.startText = timeText(second);
    hit.endText = timeText(second + 9);
    hit.startUtc = firstDayUtc + day * 86400 + second;
    hit.endUtc = hit.startUtc + 9;
    hit.kind = StoredHit::Conventional;
    return hit;
}

bool addInBatches(HitStore &store, qint64 first, qint64 end)
{
    for (; first < end; first += batch) {
        QList<StoredHit> hits;
        for (qint64 n = first; n < qMin(end, first + batch); ++n)
            hits.append(hitNumber(n));
        if (store.addAll(hits) != HitStore::Fault::None)
            return false;
    }
    return true;
}

// Runs each statement; the first that fails is printed and ends the build.
bool run(QSqlQuery &query, const QString &sql, const QVariantList &values = {})
{
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (query.exec())
        return true;
    QTextStream(stderr) << sql << ": " << query.lastError().text() << '\n';
    return false;
}

qint64 idOf(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    return run(query, sql, values) && query.next() ? query.value(0).toLongLong() : -1;
}

// Hits first..end-1 added the way the program would add them, by SQL.
bool addInBulk(QSqlDatabase &db, qint64 first, qint64 end)
{
    QSqlQuery query(db);
    const QString nameId = QStringLiteral("SELECT id FROM names WHERE text = ?");
    if (!run(query, QStringLiteral("CREATE TEMP TABLE chans(idx INTEGER PRIMARY KEY, system, "
                                   "grp, channel, frequency, code, combo)")) ||
        !run(query, QStringLiteral("CREATE TEMP TABLE secs(idx INTEGER PRIMARY KEY, start_text, "
                                   "end_text)")) ||
        !run(query, QStringLiteral("CREATE TEMP TABLE days(day INTEGER PRIMARY KEY, run)")))
        return false;
    // The first day made every name and combination.
    QList<qint64> comboOf;
    for (int channel = 0; channel < channels; ++channel) {
        QVariantList ids = {channel};
        for (const QString &name : namesOf(channel))
            ids.append(idOf(query, nameId, {name}));
        const qint64 combo =
            idOf(query,
                 QStringLiteral("SELECT id FROM combos WHERE system = ? AND grp = ? AND channel = "
                                "? AND frequency = ? AND code = ?"),
                 ids.mid(1));
        comboOf.append(combo);
        if (!run(query, QStringLiteral("INSERT INTO temp.chans VALUES (?, ?, ?, ?, ?, ?, ?)"),
                 ids << combo))
            return false;
    }
    for (int slot = 0; slot < hitsPerDay; ++slot) {
        if (!run(query, QStringLiteral("INSERT INTO temp.secs VALUES (?, ?, ?)"),
                 {slot, idOf(query, nameId, {timeText(slot * 28)}),
                  idOf(query, nameId, {timeText(slot * 28 + 9)})}))
            return false;
    }
    // The runs, with their hits and the span of their starts.
    for (qint64 day = first / hitsPerDay; day * hitsPerDay < end; ++day) {
        HistoryRun parsed;
        isRunFileName(runOfDay(day) + QStringLiteral(".txt"), &parsed);
        const qint64 firstHit = qMax(first, day * hitsPerDay);
        const qint64 lastHit = qMin(end, (day + 1) * hitsPerDay) - 1;
        if (!run(query,
                 QStringLiteral("INSERT INTO runs(name, day, start_utc, hits, first_utc, last_utc) "
                                "VALUES (?, ?, ?, ?, ?, ?)"),
                 {runOfDay(day), parsed.date.toJulianDay(),
                  localToUtc(parsed.date, parsed.startSeconds), lastHit - firstHit + 1,
                  firstDayUtc + day * 86400 + secondOf(firstHit),
                  firstDayUtc + day * 86400 + secondOf(lastHit)}) ||
            !run(query, QStringLiteral("INSERT INTO temp.days VALUES (?, ?)"),
                 {day, query.lastInsertId()}))
            return false;
    }
    if (!run(query,
             QStringLiteral(
                 "WITH RECURSIVE s(n) AS (SELECT ? UNION ALL SELECT n + 1 FROM s WHERE n < ?) "
                 "INSERT INTO hits(run, line, start_utc, end_utc, system, grp, channel, "
                 "frequency, code, start_text, end_text, kind, combo) "
                 "SELECT d.run, n % 3000 + 1, ? + n / 3000 * 86400 + n % 3000 * 28, "
                 "? + n / 3000 * 86400 + n % 3000 * 28 + 9, c.system, c.grp, c.channel, "
                 "c.frequency, c.code, t.start_text, t.end_text, ?, c.combo FROM s "
                 "JOIN temp.days d ON d.day = n / 3000 JOIN temp.chans c ON c.idx = n * 7919 % "
                 "2000 JOIN temp.secs t ON t.idx = n % 3000"),
             {first, end - 1, firstDayUtc, firstDayUtc, int(StoredHit::Conventional)}))
        return false;
    // Each combination's hits and air time.
    QList<qint64> hits(channels, 0);
    for (qint64 n = first; n < end; ++n)
        ++hits[channelOf(n)];
    for (int channel = 0; channel < channels; ++channel) {
        if (hits[channel] > 0 &&
            !run(query,
                 QStringLiteral("UPDATE combos SET hits = hits + ?, air = air + ? WHERE id = ?"),
                 {hits[channel], hits[channel] * 9, comboOf[channel]}))
            return false;
    }
    return run(query, QStringLiteral("DROP TABLE temp.chans")) &&
           run(query, QStringLiteral("DROP TABLE temp.secs")) &&
           run(query, QStringLiteral("DROP TABLE temp.days"));
}

// The database of total hits, the first day through the store and the rest
// in bulk.
bool build(const QString &path, qint64 total)
{
    {
        HitStore store;
        if (store.open(path) != HitStore::Fault::None ||
            !addInBatches(store, 0, qMin<qint64>(total, hitsPerDay)))
            return false;
    }
    if (total <= hitsPerDay)
        return true;
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bulk");
        db.setDatabaseName(path);
        QSqlQuery query(db);
        QStringList indexes;
        if (!db.open() || !run(query, QStringLiteral("PRAGMA journal_mode = OFF")) ||
            !run(query, QStringLiteral("PRAGMA synchronous = OFF")) ||
            !run(query, QStringLiteral("PRAGMA cache_size = -500000")) ||
            !run(query, QStringLiteral("SELECT name, sql FROM sqlite_schema WHERE type = "
                                       "'index' AND tbl_name = 'hits' AND name <> 'hits_key' "
                                       "AND sql IS NOT NULL")))
            return false;
        while (query.next())
            indexes.append(query.value(1).toString());
        for (int i = 0; i < indexes.size(); ++i) {
            const QString name = indexes[i].section(u' ', 2, 2);
            if (!run(query, QStringLiteral("DROP INDEX ") + name))
                return false;
        }
        done = db.transaction() && addInBulk(db, hitsPerDay, total) && db.commit();
        for (const QString &index : std::as_const(indexes))
            done = done && run(query, index);
        done = done && run(query, QStringLiteral("PRAGMA journal_mode = WAL"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bulk"));
    return done;
}

// Every table's rows and the schema, as one hash.
QByteArray contentsOf(const QString &path)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "compare");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery tables(db);
        tables.exec(QStringLiteral("SELECT name, sql FROM sqlite_schema ORDER BY name"));
        while (tables.next()) {
            hash.addData(tables.value(1).toString().toUtf8());
            if (!tables.value(1).toString().startsWith(QLatin1String("CREATE TABLE")))
                continue;
            QSqlQuery rows(db);
            rows.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1, 2")
                          .arg(tables.value(0).toString()));
            while (rows.next()) {
                for (int i = 0; i < rows.record().count(); ++i)
                    hash.addData(rows.value(i).toString().toUtf8() + '\t');
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("compare"));
    return hash.result().toHex();
}

double msSince(QElapsedTimer &timer)
{
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// Runs the event loop until done() holds, for a minute at most.
template <typename Done> bool waitFor(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

// The memory the History takes: the process with the database open and
// one hit written, then with the History's list open on it and scrolled
// through 25 pages, a page in the middle, a find and its counts.
int historyMemory(const QString &path, QTextStream &out)
{
    const double bare = residentMb();
    HitDatabase database(path);
    database.addHit(hitNumber(0));
    database.waitUntilIdle();
    const double opened = residentMb();
    HistoryModel model;
    model.setSource(&database, runOfDay(0));
    if (!waitFor([&] { return !model.isWaiting(); }))
        return 1;
    const auto scrollTo = [&](int row) {
        model.cellText(row, 0);
        return waitFor([&] { return !model.cellText(row, 0).isEmpty(); });
    };
    for (int page = 0; page < 25 && page * HistoryModel::pageRows < model.rowCount(); ++page) {
        if (!scrollTo(page * HistoryModel::pageRows))
            return 1;
    }
    QElapsedTimer timer;
    timer.start();
    const int middle = model.rowCount() / 2;
    if (!scrollTo(middle) || !scrollTo(middle + HistoryModel::pageRows))
        return 1;
    const double middleMs = msSince(timer);
    model.setFilter({QStringLiteral("dispatch 17"), {}, {}, false});
    QList<HistoryCount> counts;
    QObject::connect(&database, &HistorySource::countsReady,
                     [&](quint64, const QList<HistoryCount> &found) { counts = found; });
    database.requestCounts(HistorySource::nextTicket(), model.filter(), {}, CountBy::Channel);
    if (!waitFor([&] { return !model.isWaiting() && !counts.isEmpty(); }) || !scrollTo(0))
        return 1;
    const double shown = residentMb();
    out << "resident memory: " << bare << " MB bare, " << opened << " MB with the database open, "
        << shown << " MB with the History open on " << model.totalCount() << " hits and scrolled (+"
        << shown - opened << " MB); a page in the "
        << "middle of the list came in " << middleMs << " ms\n";
    return 0;
}

} // namespace

// The History's first page and count at each keystroke of typed, with the
// dates and This run only of filter; the slowest keystroke is printed.
void typeInto(HitStore &store, QTextStream &out, const QString &what, const QString &typed,
              HistoryFilter filter, const QString &thisRun)
{
    QElapsedTimer timer;
    double worst = 0;
    HistoryView view;
    for (qsizetype n = typed.isEmpty() ? 0 : 1; n <= typed.size(); ++n) {
        filter.text = typed.left(n);
        timer.start();
        view = store.view(filter, thisRun, 200);
        const double took = msSince(timer);
        if (qEnvironmentVariableIsSet("BENCH_STORE_EACH"))
            out << "  " << filter.text << ": " << took << " ms\n";
        worst = qMax(worst, took);
    }
    out << what << " (" << view.shown << (view.counting ? "+" : "")
        << " hits): slowest keystroke to count and first rows " << worst << " ms";
    if (view.counting) {
        timer.restart();
        const qint64 all = store.count(filter, thisRun);
        out << "; all " << all << " counted in " << msSince(timer) << " ms";
    }
    out << "\n";
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc > 2 && QByteArray(argv[1]) == "--memory")
        return historyMemory(QString::fromLocal8Bit(argv[2]), out);
    const qint64 total = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    QTemporaryDir dir;
    const QString path =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("hits.db"));
    QElapsedTimer timer;
    {
        // A bulk build is the database the store makes of the same hits.
        const qint64 few = hitsPerDay * 5 / 2;
        const QString byStore = dir.filePath(QStringLiteral("store.db"));
        const QString inBulk = dir.filePath(QStringLiteral("bulk.db"));
        HitStore store;
        if (store.open(byStore) != HitStore::Fault::None || !addInBatches(store, 0, few) ||
            !build(inBulk, few))
            return 1;
        store.close();
        const bool same = contentsOf(byStore) == contentsOf(inBulk);
        out << "a bulk build of " << few << " hits is the store's: " << (same ? "yes" : "NO")
            << "\n";
        if (!same)
            return 1;
    }
    if (!QFileInfo::exists(path)) {
        timer.start();
        if (!build(path, total))
            return 1;
        out << "build of " << total << " hits: " << msSince(timer) / 1000 << " s\n";
    }
    {
        HitStore store;
        timer.restart();
        if (store.open(path) != HitStore::Fault::None)
            return 1;
        out << "opened (and brought up to date) in " << msSince(timer) << " ms\n";
        timer.restart();
        addInBatches(store, 0, qMin<qint64>(total, 20000));
        out << "the same 20,000 hits added again through the store: " << msSince(timer) << " ms\n";

        std::vector<double> inserts;
        for (int i = 0; i < 200; ++i) {
            timer.restart();
            store.add(hitNumber(total + i));
            inserts.push_back(msSince(timer));
        }
        std::sort(inserts.begin(), inserts.end());
        out << "one live hit's insert, median: " << inserts[inserts.size() / 2] << " ms\n";

        timer.restart();
        store.rows({}, {}, 0, 100);
        out << "first 100 rows, newest first: " << msSince(timer) << " ms\n";
        // What the History asks for: its first page with the count, at
        // opening and at each keystroke.
        timer.restart();
        const HistoryView opened = store.view({}, {}, 200);
        out << "History opened to its first rows (" << opened.total << " hits): " << msSince(timer)
            << " ms\n";
        for (const QString &typed :
             {QStringLiteral("county 3 dispatch 1717"), QStringLiteral("dispatch 17")}) {
            typeInto(store, out, QStringLiteral("typing \"%1\"").arg(typed), typed, {}, {});
        }
        const QString lastRun = runOfDay((total - 1) / hitsPerDay);
        const QDate firstDay(2020, 1, 1);
        const QDate lastDay = firstDay.addDays((total - 1) / hitsPerDay);
        const QDate middle = firstDay.addDays((total - 1) / hitsPerDay / 2);
        typeInto(store, out, QStringLiteral("typing \"8:05\""), QStringLiteral("8:05"), {}, {});
        typeInto(store, out, QStringLiteral("typing \"12-05\""), QStringLiteral("12-05"), {}, {});
        typeInto(store, out, QStringLiteral("typing \"8:05 dispatch 17\""),
                 QStringLiteral("8:05 dispatch 17"), {}, {});
        typeInto(store, out, QStringLiteral("This run only"), {}, {{}, {}, {}, true}, lastRun);
        typeInto(store, out, QStringLiteral("This run only, typing \"dispatch 17\""),
                 QStringLiteral("dispatch 17"), {{}, {}, {}, true}, lastRun);
        typeInto(store, out, QStringLiteral("a month in the middle"), {},
                 {{}, middle, middle.addMonths(1), false}, {});
        typeInto(store, out, QStringLiteral("a month in the middle, typing \"dispatch 17\""),
                 QStringLiteral("dispatch 17"), {{}, middle, middle.addMonths(1), false}, {});
        typeInto(store, out, QStringLiteral("the last year, typing \"county 3\""),
                 QStringLiteral("county 3"), {{}, lastDay.addYears(-1), {}, false}, {});
        timer.restart();
        const qsizetype channels = store.counts({}, {}, CountBy::Channel).size();
        out << "counts per channel of all hits (" << channels << " channels): " << msSince(timer)
            << " ms\n";
    }
    out << "size: " << double(QFileInfo(path).size()) / double(total + 200) << " bytes per hit\n";
    // The memory is measured in a process of its own, which has read nothing before.
    QProcess memory;
    memory.setProcessChannelMode(QProcess::ForwardedChannels);
    memory.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory"), path});
    out.flush();
    if (!memory.waitForFinished(600000) || memory.exitCode() != 0)
        return 1;

    QTemporaryDir runs;
    for (int file = 0; file < 200; ++file) {
        QString text;
        for (int line = 499; line >= 0; --line) {
            const StoredHit hit = hitNumber(qint64(file) * 3000 + line);
            text += QStringLiteral("%1 / %2\t%3\t%4\t%5\t%6\t%7\t%8\r\n")
                        .arg(hit.system, hit.group, hit.channel, hit.frequency, hit.code,
                             hit.startText, hit.endText, hit.run.left(10));
        }
        QFile run(runs.filePath(hitNumber(qint64(file) * 3000).run + QStringLiteral(".txt")));
        run.open(QIODevice::WriteOnly);
        run.write(text.toUtf8());
    }
    HitStore fresh;
    fresh.open(runs.filePath(QStringLiteral("hits.db")));
    timer.restart();
    int added = 0;
    for (const HistoryRun &run : findRunFiles({runs.path()}, {})) {
        QFile file(QDir(run.folder).filePath(run.name + QStringLiteral(".txt")));
        file.open(QIODevice::ReadOnly);
        added += fresh.importRunFile(run, file.readAll()).added;
    }
    out << "import of " << added << " hits from 200 run files: " << msSince(timer) / 1000 << " s\n";
    return 0;
}
