#include "store/hitstore.h"

#include "store/hitschema.h"
#include "store/runimport.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

constexpr int sqliteCorrupt = 11;
constexpr int sqliteNotADatabase = 26;
// Names and combinations seen are remembered, many while hits come in bulk
// (a run file read, a batch) and few while they come one by one from the
// radio: each live hit's times are new names, and remembered they would only
// grow. Beyond that many the memory is started afresh.
constexpr qsizetype rememberedInBulk = 100000;
constexpr qsizetype rememberedLive = 1000;
// SQLite's page cache in KiB, the same way: its default in bulk, and while
// hits come one by one enough for the pages a hit's insert touches.
constexpr int pageCacheInBulkKiB = 2000;
constexpr int pageCacheLiveKiB = 256;
// A transaction of more hits than this is bulk.
constexpr qsizetype bulkHits = 64;
// Finds of fewer hits than this are read by the index that picks them
// out and sorted; finds of more walk the hits newest first.
constexpr qint64 fewHits = 20000;
// A find whose hits must be looked at one by one is counted among this
// many of the newest hits at first, and wholly when asked for.
constexpr qint64 quickRows = 30000;
// A word found in the times of more hits than this is not counted by the
// times' indexes.
constexpr qint64 timeHits = 200000;
// A count that reads no more hits than this through an index is made at
// once; one of more walks every hit, part by part.
constexpr qint64 drivenHits = 200000;

// About how many hits start in one of a word's times: the hits spread
// over the distinct times of the database.
qint64 timeHitsGuess(qint64 texts, qint64 allHits, qint64 allTexts)
{
    return allTexts > 0 ? qint64(double(texts) * double(allHits) / double(allTexts)) : 0;
}

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tollvane-hits-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

HitStore::HitStore() : m_connection(nextConnectionName()) {}

HitStore::~HitStore()
{
    close();
}

void HitStore::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    m_prepared.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_open = false;
    m_names.clear();
    m_runs.clear();
    m_combos.clear();
    m_timeNames.clear();
}

HitStore::Fault HitStore::failText(const QString &text, Fault fault)
{
    m_error = text;
    m_lastFault = fault;
    // A transaction rolled back may have taken names with it.
    m_names.clear();
    m_runs.clear();
    m_combos.clear();
    m_timeNames.clear();
    return fault;
}

HitStore::Fault HitStore::fail(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    const bool damaged = code == sqliteCorrupt || code == sqliteNotADatabase;
    return failText(error.text(), damaged ? Fault::Damaged : Fault::Unwritable);
}

bool HitStore::exec(QSqlQuery &query)
{
    if (query.exec())
        return true;
    fail(query.lastError());
    return false;
}

HitStore::Fault HitStore::openForReading(const QString &path)
{
    close();
    m_path = path;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    // The writer keeps its transactions short; a reader of a WAL file waits
    // only while the journal is folded back.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=200"));
    if (!db.open())
        return fail(db.lastError());
    m_open = true;
    QSqlQuery query(db);
    // Only a database the writer has brought up to this version is read.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return fail(query.lastError());
    if (query.value(0).toInt() != hitSchemaVersion)
        return failText(QStringLiteral("The hit database is not ready to be read."),
                        Fault::Unwritable);
    m_trigram = query.exec(QStringLiteral(
                    "SELECT count(*) FROM sqlite_schema WHERE name = 'name_search'")) &&
                query.next() && query.value(0).toInt() > 0 && hasTrigramSearch(db);
    return Fault::None;
}

HitStore::Fault HitStore::open(const QString &path)
{
    close();
    m_path = path;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        return fail(db.lastError());
    m_open = true;
    QSqlQuery query(db);
    // The first reads find out whether the file is a database at all; a
    // page broken further in is found when it is first read or written.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) ||
        !query.exec(QStringLiteral("SELECT count(*) FROM sqlite_schema")))
        return fail(query.lastError());
    query.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    m_trigram = hasTrigramSearch(db);
    QSqlQuery tables(db);
    if (tables.exec(QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE name = "
                                   "'name_search'")) &&
        tables.next() && tables.value(0).toInt() == 0) {
        // A database made where the trigram tokenizer was missing keeps
        // finding by a scan of the names.
        QSqlQuery version(db);
        if (version.exec(QStringLiteral("PRAGMA user_version")) && version.next() &&
            version.value(0).toInt() > 0)
            m_trigram = false;
    }
    const QString error = migrateHitSchema(db, m_trigram);
    if (!error.isEmpty())
        return failText(error, Fault::Unwritable);
    m_bulk = true;
    m_pageCacheKiB = 0; // a new connection has SQLite's own
    rememberForBulk(false);
    return Fault::None;
}

QSqlQuery &HitStore::prepared(const QString &sql)
{
    std::shared_ptr<QSqlQuery> &query = m_prepared[sql];
    if (!query) {
        query = std::make_shared<QSqlQuery>(QSqlDatabase::database(m_connection, false));
        query->prepare(sql);
    }
    return *query;
}

qint64 HitStore::nameId(const QString &text, bool isTime)
{
    if (const auto found = m_names.constFind(text); found != m_names.cend()) {
        if (!isTime || m_timeNames.contains(found.value()))
            return found.value();
        // A time is marked once, for the find to know a word may be in one.
        QSqlQuery &mark =
            prepared(QStringLiteral("UPDATE names SET times = 1 WHERE id = ? AND times = 0"));
        mark.bindValue(0, found.value());
        if (!exec(mark))
            return -1;
        m_timeNames.insert(found.value());
        return found.value();
    }
    QSqlQuery &query = prepared(QStringLiteral("SELECT id FROM names WHERE text = ?"));
    query.bindValue(0, text);
    if (!exec(query))
        return -1;
    qint64 id = -1;
    if (query.next()) {
        id = query.value(0).toLongLong();
        query.finish();
    } else {
        query.finish();
        QSqlQuery &insert = prepared(QStringLiteral("INSERT INTO names(text) VALUES (?)"));
        insert.bindValue(0, text);
        if (!exec(insert))
            return -1;
        id = insert.lastInsertId().toLongLong();
        if (m_firstNewName < 0)
            m_firstNewName = id;
    }
    if (m_names.size() >= (m_bulk ? rememberedInBulk : rememberedLive)) {
        m_names.clear();
        m_timeNames.clear();
    }
    m_names.insert(text, id);
    return isTime ? nameId(text, true) : id;
}

qint64 HitStore::comboId(const QList<qint64> &names)
{
    QString key;
    for (int i = 0; i < 5; ++i)
        key += QString::number(names[i]) + u',';
    if (const auto found = m_combos.constFind(key); found != m_combos.cend())
        return found.value();
    QSqlQuery &insert = prepared(QStringLiteral(
        "INSERT INTO combos(system, grp, channel, frequency, code) VALUES (?, ?, ?, ?, ?) "
        "ON CONFLICT DO NOTHING"));
    QSqlQuery &select = prepared(QStringLiteral(
        "SELECT id FROM combos WHERE system = ? AND grp = ? AND channel = ? AND frequency = ? "
        "AND code = ?"));
    for (int i = 0; i < 5; ++i) {
        insert.bindValue(i, names[i]);
        select.bindValue(i, names[i]);
    }
    if (!exec(insert) || !exec(select) || !select.next())
        return -1;
    const qint64 id = select.value(0).toLongLong();
    select.finish();
    if (m_combos.size() >= (m_bulk ? rememberedInBulk : rememberedLive))
        m_combos.clear();
    m_combos.insert(key, id);
    return id;
}

qint64 HitStore::runId(const QString &run)
{
    if (const auto found = m_runs.constFind(run); found != m_runs.cend())
        return found.value();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    HistoryRun parsed;
    if (!isRunFileName(run + QStringLiteral(".txt"), &parsed)) {
        parsed.date = QDate::fromString(run.left(10), QStringLiteral("MM-dd-yyyy"));
        parsed.startSeconds = 0;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO runs(name, day, start_utc) VALUES (?, ?, ?) "
                                 "ON CONFLICT(name) DO NOTHING"));
    query.addBindValue(run);
    query.addBindValue(parsed.date.isValid() ? parsed.date.toJulianDay() : 0);
    query.addBindValue(parsed.date.isValid() ? localToUtc(parsed.date, parsed.startSeconds) : 0);
    if (!exec(query))
        return -1;
    query.prepare(QStringLiteral("SELECT id FROM runs WHERE name = ?"));
    query.addBindValue(run);
    if (!exec(query) || !query.next())
        return -1;
    const qint64 id = query.value(0).toLongLong();
    m_runs.insert(run, id);
    return id;
}

bool HitStore::insertHit(const StoredHit &hit, int *added)
{
    const qint64 run = runId(hit.run);
    if (run < 0)
        return false;
    QList<qint64> names;
    for (const QString *text : {&hit.system, &hit.group, &hit.channel, &hit.frequency, &hit.code,
                                &hit.startText, &hit.endText}) {
        names.append(nameId(*text, text == &hit.startText || text == &hit.endText));
        if (names.last() < 0)
            return false;
    }
    const qint64 combo = comboId(names);
    if (combo < 0)
        return false;
    QSqlQuery &query = prepared(QStringLiteral(
        "INSERT INTO hits(run, line, start_utc, end_utc, system, grp, channel, frequency, code, "
        "start_text, end_text, kind, combo) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT(run, line) DO NOTHING"));
    const QVariantList values = {run,      hit.line,      hit.startUtc, hit.endUtc, names[0],
                                 names[1], names[2],      names[3],     names[4],   names[5],
                                 names[6], int(hit.kind), combo};
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!exec(query))
        return false;
    if (query.numRowsAffected() > 0) {
        std::pair<qint64, qint64> &sums = m_comboAdded[combo];
        ++sums.first;
        sums.second += hit.endUtc - hit.startUtc;
        RunAdded &runAdded = m_runAdded[run];
        runAdded.first = runAdded.hits == 0 ? hit.startUtc : qMin(runAdded.first, hit.startUtc);
        runAdded.last = runAdded.hits == 0 ? hit.startUtc : qMax(runAdded.last, hit.startUtc);
        ++runAdded.hits;
        if (added)
            ++*added;
    }
    if (hit.recordingPath.isEmpty())
        return true;
    return setRecording({hit.run, hit.line, hit.recordingPath, hit.recordingMs,
                         hit.recordingBytes}) == Fault::None;
}

bool HitStore::countCombos()
{
    QSqlQuery &query =
        prepared(QStringLiteral("UPDATE combos SET hits = hits + ?, air = air + ? WHERE id = ?"));
    for (auto it = m_comboAdded.cbegin(); it != m_comboAdded.cend(); ++it) {
        query.bindValue(0, it.value().first);
        query.bindValue(1, it.value().second);
        query.bindValue(2, it.key());
        if (!exec(query))
            return false;
    }
    m_comboAdded.clear();
    QSqlQuery &runs = prepared(QStringLiteral(
        "UPDATE runs SET hits = hits + ?, first_utc = min(coalesce(first_utc, ?), ?), "
        "last_utc = max(coalesce(last_utc, ?), ?) WHERE id = ?"));
    for (auto it = m_runAdded.cbegin(); it != m_runAdded.cend(); ++it) {
        const QVariantList values = {it.value().hits, it.value().first, it.value().first,
                                     it.value().last, it.value().last,  it.key()};
        for (int i = 0; i < values.size(); ++i)
            runs.bindValue(i, values.at(i));
        if (!exec(runs))
            return false;
    }
    m_runAdded.clear();
    // The new names are indexed for the find in one go: each statement
    // after a write to the full-text index in a transaction makes the
    // index write out what it holds.
    if (m_trigram && m_firstNewName >= 0) {
        QSqlQuery &search = prepared(QStringLiteral(
            "INSERT INTO name_search(rowid, text) SELECT id, text FROM names WHERE id >= ?"));
        search.bindValue(0, m_firstNewName);
        if (!exec(search))
            return false;
    }
    m_firstNewName = -1;
    return true;
}

void HitStore::rememberForBulk(bool bulk)
{
    if (bulk == m_bulk)
        return;
    m_bulk = bulk;
    if (!bulk && m_names.size() > rememberedLive) {
        m_names.clear();
        m_timeNames.clear();
    }
    if (!bulk && m_combos.size() > rememberedLive)
        m_combos.clear();
    keepPages(bulk || m_found ? pageCacheInBulkKiB : pageCacheLiveKiB);
}

void HitStore::keepPages(int kib)
{
    if (kib == m_pageCacheKiB)
        return;
    m_pageCacheKiB = kib;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.exec(QStringLiteral("PRAGMA cache_size = -%1").arg(kib));
}

HitStore::Fault HitStore::addAll(const QList<StoredHit> &hits)
{
    rememberForBulk(hits.size() > bulkHits);
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(db.lastError());
    m_comboAdded.clear();
    m_runAdded.clear();
    m_firstNewName = -1;
    for (const StoredHit &hit : hits) {
        if (!insertHit(hit)) {
            const Fault fault = m_lastFault;
            db.rollback();
            return fault;
        }
    }
    if (!countCombos()) {
        const Fault fault = m_lastFault;
        db.rollback();
        return fault;
    }
    if (!db.commit()) {
        const Fault fault = fail(db.lastError());
        db.rollback();
        return fault;
    }
    return Fault::None;
}

HitStore::Fault HitStore::setRecording(const StoredRecording &recording)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral(
        "INSERT INTO recordings(hit, path, ms, bytes) SELECT hits.id, ?, ?, ? FROM hits JOIN "
        "runs ON runs.id = hits.run WHERE runs.name = ? AND hits.line = ? "
        "ON CONFLICT(hit) DO UPDATE SET path = excluded.path, ms = excluded.ms, "
        "bytes = excluded.bytes, deleted = 0"));
    query.addBindValue(recording.path);
    query.addBindValue(recording.ms);
    query.addBindValue(recording.bytes);
    query.addBindValue(recording.run);
    query.addBindValue(recording.line);
    return exec(query) ? Fault::None : m_lastFault;
}

bool HitStore::wasImported(const QString &run, qint64 bytes)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT 1 FROM imported_files WHERE run = ? AND bytes = ?"));
    query.addBindValue(run);
    query.addBindValue(bytes);
    return exec(query) && query.next();
}

HitStore::Import HitStore::importRunFile(const HistoryRun &run, const QByteArray &contents)
{
    Import import;
    rememberForBulk(true);
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (wasImported(run.name, contents.size())) {
        import.passedOver = true;
        return import;
    }
    const RunFileHits file = hitsOfRunFile(run, contents);
    import.skippedLines = file.skippedLines;
    if (!db.transaction()) {
        import.fault = fail(db.lastError());
        return import;
    }
    bool ok = true;
    m_comboAdded.clear();
    m_runAdded.clear();
    m_firstNewName = -1;
    for (const StoredHit &hit : file.hits) {
        if (!(ok = insertHit(hit, &import.added)))
            break;
    }
    ok = ok && countCombos();
    QSqlQuery mark(db);
    mark.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO imported_files(run, bytes, skipped) VALUES (?, ?, ?)"));
    mark.addBindValue(run.name);
    mark.addBindValue(contents.size());
    mark.addBindValue(file.skippedLines);
    if (ok)
        ok = exec(mark) && (db.commit() || fail(db.lastError()) == Fault::None);
    if (!ok) {
        import.fault = m_lastFault;
        import.added = 0;
        db.rollback();
    }
    return import;
}

QList<double> HitStore::numbers(const SqlPart &query)
{
    QSqlQuery &prepared = this->prepared(query.text);
    for (qsizetype i = 0; i < query.values.size(); ++i)
        prepared.bindValue(int(i), query.values.at(i));
    QList<double> found;
    if (!exec(prepared) || !prepared.next())
        return found;
    for (int i = 0; i < prepared.record().count(); ++i)
        found.append(prepared.value(i).toDouble());
    prepared.finish();
    return found;
}

qint64 HitStore::number(const SqlPart &query)
{
    return qint64(numbers(query).value(0, -1));
}

HitPlan HitStore::plan(const HistoryFilter &filter, const QString &thisRun, Counting counting)
{
    // A find walks many pages: with the live hits' small cache a deep one
    // read its pages again and again. Once the History has been looked in,
    // the cache stays large.
    m_found = true;
    keepPages(pageCacheInBulkKiB);
    HitPlan plan;
    plan.find = buildHitFind(filter, thisRun, m_trigram);
    const HitFind &find = plan.find;
    using In = HitFind::In;
    // A word with ":" or "-" is looked for only where it is found: in no
    // time and no run's name, it is a name; in run names alone, a date.
    QList<In> in;
    QStringList names;
    QList<qint64> timeGuesses; // about how many hits each word's times are in
    for (const FindWord &word : find.words) {
        In where = In::Names;
        qint64 guess = 0;
        if (word.timeOrDate) {
            const QList<double> found = numbers(
                find.with +
                SqlPart{
                    QStringLiteral(
                        " SELECT (SELECT count(*) FROM names WHERE times = 1 AND "
                        "id IN %1), EXISTS (SELECT 1 FROM runs WHERE "
                        "instr(lower(name), ?) > 0), EXISTS (SELECT 1 FROM combos "
                        "WHERE %2), (SELECT total(hits) FROM runs), (SELECT count(*) FROM names "
                        "WHERE times = 1)")
                        .arg(word.table, word.combos),
                    {word.word}});
            const bool times = found.value(0) != 0;
            guess = timeHitsGuess(qint64(found.value(0)), qint64(found.value(3)),
                                  qint64(found.value(4)));
            const bool runs = found.value(1) != 0;
            const bool names = found.value(2) != 0;
            if (times && (runs || names))
                where = In::Anywhere;
            else if (times)
                where = In::Times;
            else if (runs)
                where = names ? In::Anywhere : In::Runs;
        }
        in.append(where);
        timeGuesses.append(guess);
        if (where == In::Names)
            names.append(word.combos);
    }
    const SqlPart runs = find.runsWhere(in);
    plan.where = find.where(in, runs);
    SqlPart span = sqlText(QStringLiteral("1"));
    const int times = int(in.count(In::Times));
    const bool anywhere = in.contains(In::Anywhere);
    // The way with the fewest hits to look at: the combinations of the
    // names, the span of the runs, or the hits of one word's names, times
    // and runs.
    qint64 fewest = drivenHits;
    if (!names.isEmpty() || (times == 0 && !anywhere && runs.text.isEmpty())) {
        plan.combosWhere =
            names.isEmpty() ? QStringLiteral("1") : names.join(QStringLiteral(" AND "));
        const qint64 hits =
            number(find.with + sqlText(QStringLiteral(" SELECT total(hits) FROM combos WHERE ") +
                                       plan.combosWhere));
        // Without times and runs the combinations answer the count.
        if (times == 0 && !anywhere && runs.text.isEmpty()) {
            plan.count = hits;
            plan.byCombos = true;
            if (!names.isEmpty() && hits < fewHits)
                plan.from = QStringLiteral("hits INDEXED BY hits_combo");
            return plan;
        }
        if (hits < fewest) {
            fewest = hits;
            plan.from = QStringLiteral("hits INDEXED BY hits_combo");
        }
    }
    if (!runs.text.isEmpty()) {
        const QList<double> spans =
            numbers(sqlText(QStringLiteral(
                        "SELECT total(hits), min(first_utc), max(last_utc) FROM runs WHERE ")) +
                    runs);
        const qint64 hits = qint64(spans.value(0));
        if (hits == 0) {
            plan.where = sqlText(QStringLiteral("0"));
            return plan;
        }
        // The hits of the runs start between their first and last start.
        span = SqlPart{QStringLiteral("start_utc BETWEEN ? AND ?"),
                       {qint64(spans.value(1)), qint64(spans.value(2))}};
        plan.where += sqlText(QStringLiteral(" AND ")) + span;
        if (times == 0 && !anywhere && names.isEmpty()) {
            plan.count = hits;
            return plan;
        }
        if (hits < fewest) {
            fewest = hits;
            plan.from = QStringLiteral("hits INDEXED BY hits_start");
        }
    }
    SqlPart narrowest;
    for (int i = 0; i < find.words.size(); ++i) {
        const FindWord &word = find.words.at(i);
        // A word in very many times ("8:") is in more hits than are worth
        // counting through the time indexes: reading them would take longer
        // than walking the newest hits.
        if (in.at(i) == In::Times && timeGuesses.at(i) >= timeHits / 2)
            continue;
        if (in.at(i) == In::Times) {
            // The hits starting in one of the word's times, those ending in
            // one, and those doing both, each read off an index alone; a
            // word in the times of very many hits is not counted so.
            const QList<double> found = numbers(
                find.with +
                SqlPart{QStringLiteral(
                            " SELECT (SELECT count(*) FROM (SELECT 1 FROM hits INDEXED BY "
                            "hits_times WHERE start_text IN %1 LIMIT ?)), (SELECT count(*) FROM "
                            "(SELECT 1 FROM hits INDEXED BY hits_end_text WHERE end_text IN %1 "
                            "LIMIT ?))")
                            .arg(word.table),
                        {timeHits, timeHits}});
            if (found.value(0, timeHits) >= timeHits || found.value(1, timeHits) >= timeHits)
                continue;
            const bool alone = times == 1 && !anywhere && names.isEmpty() && runs.text.isEmpty();
            // Beside other words, the hits to look at need no more than an
            // upper bound.
            const qint64 both =
                alone ? number(find.with +
                               sqlText(QStringLiteral(" SELECT count(*) FROM hits INDEXED BY "
                                                      "hits_times WHERE start_text IN %1 AND "
                                                      "end_text IN %1")
                                           .arg(word.table)))
                      : 0;
            const qint64 hits = qint64(found.value(0) + found.value(1)) - both;
            if (alone) {
                plan.count = hits;
                if (hits < fewHits)
                    plan.where = SqlPart{QStringLiteral("id IN (SELECT id FROM hits WHERE "
                                                        "start_text IN %1 UNION SELECT id FROM "
                                                        "hits WHERE end_text IN %1) AND ")
                                             .arg(word.table),
                                         {}} +
                                 plan.where;
                if (hits < fewHits)
                    plan.from = QStringLiteral("hits");
                return plan;
            }
            if (hits < fewest) {
                fewest = hits;
                plan.from = QStringLiteral("hits");
                narrowest = sqlText(QStringLiteral("id IN (SELECT id FROM hits WHERE start_text "
                                                   "IN %1 UNION SELECT id FROM hits WHERE "
                                                   "end_text IN %1) AND ")
                                        .arg(word.table));
            }
        }
        if (in.at(i) != In::Anywhere)
            continue;
        // The hits of the word's names, times and runs, some twice: no more
        // than these are looked at.
        const SqlPart ids =
            SqlPart{QStringLiteral("SELECT id FROM hits WHERE combo IN (SELECT id FROM combos "
                                   "WHERE %1) UNION ALL SELECT id FROM hits WHERE start_text IN "
                                   "%2 UNION ALL SELECT id FROM hits WHERE end_text IN %2 "
                                   "UNION ALL SELECT id FROM hits WHERE run IN (SELECT id FROM "
                                   "runs WHERE instr(lower(name), ?) > 0)")
                        .arg(word.combos, word.table),
                    {word.word}};
        const qint64 hits = number(find.with + sqlText(QStringLiteral(" SELECT count(*) FROM (")) +
                                   ids + SqlPart{QStringLiteral(" LIMIT ?)"), {fewest}});
        if (hits >= 0 && hits < fewest) {
            fewest = hits;
            plan.from = QStringLiteral("hits");
            narrowest =
                sqlText(QStringLiteral("id IN (")) + ids + sqlText(QStringLiteral(") AND "));
        }
    }
    // The rows of many hits are found by walking them newest first; a
    // count that can read them through the narrowest index does so.
    const SqlPart walked = plan.where;
    plan.where = narrowest + plan.where;
    plan.countDriven = fewest < drivenHits;
    plan.countFrom = plan.from;
    plan.countWhere = plan.where;
    plan.exact = fewest < fewHits;
    if (!plan.exact) {
        plan.from = QStringLiteral("hits INDEXED BY hits_start");
        plan.where = walked;
    }
    if (counting == Counting::None)
        return plan;
    if (plan.exact || counting == Counting::All) {
        plan.count = number(find.with +
                            sqlText(QStringLiteral(" SELECT count(*) FROM %1 WHERE ")
                                        .arg(plan.countDriven ? plan.countFrom : plan.from)) +
                            (plan.countDriven ? plan.countWhere : plan.where));
        plan.exact = true;
        return plan;
    }
    // Many hits to look at: those among the newest hits are counted at
    // first, all of them when asked for (unless those were all).
    const QList<double> newest = numbers(
        find.with +
        sqlText(find.with.text.isEmpty() ? QStringLiteral("WITH ") : QStringLiteral(", ")) +
        sqlText(
            QStringLiteral("newest(hid) AS (SELECT id FROM hits INDEXED BY hits_start WHERE ")) +
        span +
        SqlPart{QStringLiteral(" ORDER BY start_utc DESC LIMIT ?) SELECT count(*) FILTER (WHERE "),
                {quickRows}} +
        plan.where +
        sqlText(QStringLiteral("), count(*) FROM newest CROSS JOIN hits ON hits.id = newest.hid")));
    plan.count = qint64(newest.value(0));
    plan.exact = newest.value(1) < quickRows;
    return plan;
}

qint64 HitStore::count(const HistoryFilter &filter, const QString &thisRun)
{
    return plan(filter, thisRun, Counting::All).count;
}

qint64 HitStore::countBetween(const HistoryFilter &filter, const QString &thisRun, qint64 afterId,
                              qint64 lastId)
{
    const HitPlan plan = this->plan(filter, thisRun, Counting::None);
    if (plan.exact || plan.countDriven)
        return afterId == 0 ? this->plan(filter, thisRun, Counting::All).count : 0;
    // The hits are walked in the order they were added.
    return number(
        plan.find.with +
        SqlPart{
            QStringLiteral(" SELECT count(*) FROM hits NOT INDEXED WHERE id > ? AND id <= ? AND "),
            {afterId, lastId}} +
        plan.where);
}

qint64 HitStore::lastHitId()
{
    return number(sqlText(QStringLiteral("SELECT max(id) FROM hits")));
}

QList<QStringList> HitStore::rows(const HistoryFilter &filter, const QString &thisRun,
                                  qint64 offset, qint64 limit)
{
    QList<QStringList> result;
    for (HistoryRow &row : historyRows(filter, thisRun, offset, limit))
        result.append(std::move(row.texts));
    return result;
}

QList<HistoryRow> HitStore::historyRows(const HistoryFilter &filter, const QString &thisRun,
                                        qint64 offset, qint64 limit)
{
    return historyRows(plan(filter, thisRun, Counting::None), offset, limit);
}

QList<HistoryRow> HitStore::historyRows(const HitPlan &plan, qint64 offset, qint64 limit)
{
    const HitFind &find = plan.find;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    // Newest first; hits of the same second in the order they were added.
    const SqlPart select =
        find.with +
        sqlText(QStringLiteral(
                    " SELECT s.text, g.text, c.text, f.text, k.text, st.text, et.text, r.name, "
                    "rec.path, rec.ms, rec.deleted, h.id FROM "
                    "(SELECT * FROM %1 WHERE ")
                    .arg(plan.from)) +
        plan.where +
        SqlPart{QStringLiteral(" ORDER BY start_utc DESC, id DESC LIMIT ? OFFSET ?) AS h "
                               "JOIN runs r ON r.id = h.run JOIN names s ON s.id = h.system "
                               "JOIN names g ON g.id = h.grp JOIN names c ON c.id = h.channel "
                               "JOIN names f ON f.id = h.frequency JOIN names k ON k.id = h.code "
                               "JOIN names st ON st.id = h.start_text "
                               "JOIN names et ON et.id = h.end_text "
                               "LEFT JOIN recordings rec ON rec.hit = h.id "
                               "ORDER BY h.start_utc DESC, h.id DESC"),
                {limit, offset}};
    query.prepare(select.text);
    for (const QVariant &value : select.values)
        query.addBindValue(value);
    QList<HistoryRow> result;
    if (!exec(query))
        return result;
    while (query.next()) {
        const QString run = query.value(7).toString();
        HistoryRow row;
        row.texts = {query.value(0).toString() + QStringLiteral(" / ") + query.value(1).toString(),
                     query.value(2).toString(),
                     query.value(3).toString(),
                     query.value(4).toString(),
                     query.value(5).toString(),
                     query.value(6).toString(),
                     run.left(10),
                     run};
        row.recordingPath = query.value(8).toString();
        row.recordingMs = query.isNull(9) ? -1 : query.value(9).toLongLong();
        row.recordingDeleted = query.value(10).toBool();
        row.hitId = query.value(11).toLongLong();
        row.system = query.value(0).toString();
        row.group = query.value(1).toString();
        result.append(row);
    }
    return result;
}

HistoryView HitStore::view(const HistoryFilter &filter, const QString &thisRun, int rows)
{
    HistoryView view;
    const HitPlan shown = plan(filter, thisRun, Counting::Quick);
    view.shown = qMax<qint64>(0, shown.count);
    view.counting = !shown.exact;
    view.total = qMax<qint64>(0, count({}, thisRun));
    view.rows = historyRows(shown, 0, rows);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (query.exec(QStringLiteral("SELECT total(skipped), count(*) FILTER (WHERE skipped > 0) "
                                  "FROM imported_files")) &&
        query.next()) {
        view.skippedLines = query.value(0).toInt();
        view.filesWithSkips = query.value(1).toInt();
    }
    if (query.exec(QStringLiteral("SELECT min(day), max(day) FROM runs WHERE day > 0")) &&
        query.next() && !query.isNull(0)) {
        view.oldest = QDate::fromJulianDay(query.value(0).toLongLong());
        view.newest = QDate::fromJulianDay(query.value(1).toLongLong());
    }
    return view;
}

QList<HistoryCount> HitStore::counts(const HistoryFilter &filter, const QString &thisRun,
                                     CountBy by)
{
    const HitPlan plan = this->plan(filter, thisRun, Counting::None);
    const QString key = by == CountBy::Channel ? QStringLiteral("channel") : QStringLiteral("code");
    // From the combinations' sums when they answer the find.
    const SqlPart sums =
        plan.byCombos ? sqlText(QStringLiteral("total(hits) AS hits, total(air) AS air FROM "
                                               "combos WHERE ") +
                                plan.combosWhere)
                      : sqlText(QStringLiteral("count(*) AS hits, total(end_utc - start_utc) AS "
                                               "air FROM %1 WHERE ")
                                    .arg(plan.countDriven ? plan.countFrom : plan.from)) +
                            (plan.countDriven ? plan.countWhere : plan.where);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    // A channel or talkgroup name means something only within its system.
    const SqlPart select =
        plan.find.with +
        sqlText(QStringLiteral(" SELECT k.text, s.text, g.text, t.hits, t.air FROM "
                               "(SELECT %1 AS key, system, grp, ")
                    .arg(key)) +
        sums +
        sqlText(QStringLiteral(" GROUP BY %1, system, grp) AS t "
                               "JOIN names k ON k.id = t.key JOIN names s ON s.id = t.system "
                               "JOIN names g ON g.id = t.grp WHERE k.text <> ''")
                    .arg(key));
    query.prepare(select.text);
    for (const QVariant &value : select.values)
        query.addBindValue(value);
    QList<HistoryCount> result;
    if (!exec(query))
        return result;
    while (query.next()) {
        result.append({query.value(0).toString() + QStringLiteral("  (") +
                           query.value(1).toString() + QStringLiteral(" / ") +
                           query.value(2).toString() + u')',
                       int(query.value(3).toDouble()), qint64(query.value(4).toDouble())});
    }
    sortCounts(result);
    return result;
}

StoredRecording HitStore::recordingOf(const QString &run, int line)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT path, ms, bytes, deleted FROM recordings JOIN hits ON "
                                 "hits.id = recordings.hit JOIN runs ON runs.id = hits.run "
                                 "WHERE runs.name = ? AND hits.line = ?"));
    query.addBindValue(run);
    query.addBindValue(line);
    if (!exec(query) || !query.next())
        return {};
    return {run,
            line,
            query.value(0).toString(),
            query.value(1).toLongLong(),
            query.value(2).toLongLong(),
            query.value(3).toBool()};
}

StoredRecording HitStore::recordingById(qint64 hitId)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT runs.name, hits.line, path, ms, bytes, deleted FROM "
                                 "recordings JOIN hits ON hits.id = recordings.hit JOIN runs ON "
                                 "runs.id = hits.run WHERE recordings.hit = ?"));
    query.addBindValue(hitId);
    if (!exec(query) || !query.next())
        return {};
    return {query.value(0).toString(),   query.value(1).toInt(),      query.value(2).toString(),
            query.value(3).toLongLong(), query.value(4).toLongLong(), query.value(5).toBool()};
}

QList<KeptRecording> HitStore::oldestRecordings(int count)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT hits.id, path, bytes, start_utc FROM recordings JOIN "
                                 "hits ON hits.id = recordings.hit WHERE deleted = 0 "
                                 "ORDER BY start_utc, hits.id LIMIT ?"));
    query.addBindValue(count);
    QList<KeptRecording> oldest;
    if (!exec(query))
        return oldest;
    while (query.next())
        oldest.append({query.value(0).toLongLong(), query.value(1).toString(),
                       query.value(2).toLongLong(), query.value(3).toLongLong()});
    return oldest;
}

qint64 HitStore::keptRecordingBytes()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("SELECT total(bytes) FROM recordings WHERE deleted = 0")) ||
        !query.next())
        return 0;
    return qint64(query.value(0).toDouble());
}

HitStore::Fault HitStore::markRecordingsDeleted(const QList<qint64> &hits)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(db.lastError());
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE recordings SET deleted = 1 WHERE hit = ?"));
    for (const qint64 hit : hits) {
        query.addBindValue(hit);
        if (!exec(query)) {
            db.rollback();
            return m_lastFault;
        }
    }
    if (!db.commit()) {
        const Fault fault = fail(db.lastError());
        db.rollback();
        return fault;
    }
    return Fault::None;
}

QString HitStore::integrityCheck()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next())
        return query.lastError().text();
    return query.value(0).toString();
}

QString damagedFilePath(const QString &path, QDate today)
{
    const QString base =
        path + QStringLiteral(".damaged-") + today.toString(QStringLiteral("yyyy-MM-dd"));
    QString candidate = base;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = base + QStringLiteral("-%1").arg(n);
    return candidate;
}

QString moveDamagedAside(const QString &path, QDate today)
{
    const QString aside = damagedFilePath(path, today);
    if (!QFile::rename(path, aside))
        return {};
    for (const QLatin1String suffix : {QLatin1String("-wal"), QLatin1String("-shm")}) {
        if (QFile::exists(path + suffix))
            QFile::rename(path + suffix, aside + suffix);
    }
    return aside;
}
