#include "store/hitschema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

QStringList firstVersion(bool trigramSearch)
{
    QStringList steps = {
        QStringLiteral("CREATE TABLE names(id INTEGER PRIMARY KEY, text TEXT NOT NULL UNIQUE)"),
        QStringLiteral("CREATE TABLE runs(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, "
                       "day INTEGER NOT NULL, start_utc INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE hits(id INTEGER PRIMARY KEY, run INTEGER NOT NULL, "
                       "line INTEGER NOT NULL, start_utc INTEGER NOT NULL, "
                       "end_utc INTEGER NOT NULL, system INTEGER, grp INTEGER, channel INTEGER, "
                       "frequency INTEGER, code INTEGER, start_text INTEGER, end_text INTEGER, "
                       "kind INTEGER NOT NULL)"),
        QStringLiteral("CREATE UNIQUE INDEX hits_key ON hits(run, line)"),
        QStringLiteral("CREATE INDEX hits_start ON hits(start_utc)"),
        QStringLiteral("CREATE TABLE recordings(hit INTEGER PRIMARY KEY, path TEXT NOT NULL, "
                       "ms INTEGER NOT NULL, bytes INTEGER NOT NULL DEFAULT 0, "
                       "deleted INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE TABLE imported_files(run TEXT NOT NULL, bytes INTEGER NOT NULL, "
                       "PRIMARY KEY(run, bytes)) WITHOUT ROWID"),
    };
    if (trigramSearch) {
        steps += {QStringLiteral("CREATE VIRTUAL TABLE name_search USING fts5(text, "
                                 "content='names', content_rowid='id', tokenize='trigram')"),
                  QStringLiteral("CREATE TRIGGER names_searched AFTER INSERT ON names BEGIN "
                                 "INSERT INTO name_search(rowid, text) VALUES (new.id, new.text); "
                                 "END")};
    }
    return steps;
}

// The lines of each run file that were not hits, for the history's count
// of damaged lines.
QStringList secondVersion()
{
    return {
        QStringLiteral("ALTER TABLE imported_files ADD COLUMN skipped INTEGER NOT NULL DEFAULT 0")};
}

QStringList thirdVersion()
{
    return {
        QStringLiteral("CREATE TABLE combos(id INTEGER PRIMARY KEY, system INTEGER, grp INTEGER, "
                       "channel INTEGER, frequency INTEGER, code INTEGER, "
                       "hits INTEGER NOT NULL DEFAULT 0, air INTEGER NOT NULL DEFAULT 0, "
                       "UNIQUE(system, grp, channel, frequency, code))"),
        QStringLiteral("ALTER TABLE hits ADD COLUMN combo INTEGER"),
        QStringLiteral("ALTER TABLE names ADD COLUMN times INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("INSERT INTO combos(system, grp, channel, frequency, code, hits, air) "
                       "SELECT system, grp, channel, frequency, code, count(*), "
                       "total(end_utc - start_utc) FROM hits "
                       "GROUP BY system, grp, channel, frequency, code"),
        QStringLiteral("UPDATE hits SET combo = (SELECT id FROM combos c WHERE "
                       "c.system = hits.system AND c.grp = hits.grp AND c.channel = hits.channel "
                       "AND c.frequency = hits.frequency AND c.code = hits.code)"),
        QStringLiteral("UPDATE names SET times = 1 WHERE id IN "
                       "(SELECT start_text FROM hits UNION SELECT end_text FROM hits)"),
        QStringLiteral("CREATE INDEX hits_combo ON hits(combo, start_utc)"),
    };
}

// Each run's hits and the span of their starts, so that the dates and "This
// run only" are counted from the runs and read between two times; and the
// hits by their start and end times, for a word found in a time. The names
// go into the find's index once per transaction instead of by a trigger.
QStringList fourthVersion()
{
    return {
        QStringLiteral("DROP TRIGGER IF EXISTS names_searched"),
        QStringLiteral("ALTER TABLE runs ADD COLUMN hits INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("ALTER TABLE runs ADD COLUMN first_utc INTEGER"),
        QStringLiteral("ALTER TABLE runs ADD COLUMN last_utc INTEGER"),
        QStringLiteral("UPDATE runs SET hits = t.hits, first_utc = t.first, last_utc = t.last "
                       "FROM (SELECT run, count(*) AS hits, min(start_utc) AS first, "
                       "max(start_utc) AS last FROM hits GROUP BY run) AS t "
                       "WHERE t.run = runs.id"),
        QStringLiteral("CREATE INDEX hits_times ON hits(start_text, end_text)"),
        QStringLiteral("CREATE INDEX hits_end_text ON hits(end_text)"),
    };
}

} // namespace

bool hasTrigramSearch(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral(
            "CREATE VIRTUAL TABLE temp.trigram_check USING fts5(text, tokenize='trigram')")))
        return false;
    const bool found =
        query.exec(QStringLiteral("INSERT INTO temp.trigram_check VALUES ('Harbor Patrol')")) &&
        query.exec(QStringLiteral(
            "SELECT count(*) FROM temp.trigram_check WHERE trigram_check MATCH '\"bor pat\"'")) &&
        query.next() && query.value(0).toInt() == 1;
    query.exec(QStringLiteral("DROP TABLE temp.trigram_check"));
    return found;
}

QString migrateHitSchema(QSqlDatabase &db, bool trigramSearch)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return query.lastError().text();
    const int version = query.value(0).toInt();
    if (version > hitSchemaVersion)
        return QStringLiteral("The hit database was made by a newer Tollvane (version %1).")
            .arg(version);
    // One migration per version: migrations[v] takes version v to v + 1.
    const QList<QStringList> migrations = {firstVersion(trigramSearch), secondVersion(),
                                           thirdVersion(), fourthVersion()};
    for (int v = version; v < hitSchemaVersion; ++v) {
        if (!db.transaction())
            return db.lastError().text();
        QStringList steps = migrations.at(v);
        steps.append(QStringLiteral("PRAGMA user_version = %1").arg(v + 1));
        for (const QString &step : std::as_const(steps)) {
            if (!query.exec(step)) {
                const QString error = query.lastError().text();
                db.rollback();
                return error;
            }
        }
        if (!db.commit())
            return db.lastError().text();
    }
    return {};
}
