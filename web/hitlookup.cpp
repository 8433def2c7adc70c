#include "web/hitlookup.h"

#include "store/hitfind.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {

// Finds of fewer hits than this are read by their combinations.
constexpr double fewHits = 20000;

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tollvane-web-hits-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

HitLookup::HitLookup(const QString &databaseFile)
    : m_path(databaseFile), m_connection(nextConnectionName())
{}

HitLookup::~HitLookup()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool HitLookup::open()
{
    if (m_open)
        return true;
    if (!QFileInfo::exists(m_path))
        return false;
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    // The writer holds its transactions short; a reader of a WAL file
    // waits only while the journal is being folded back.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=200"));
    if (!db.open())
        return false;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'hits'")) ||
        !query.next() || query.value(0).toInt() == 0) {
        db.close();
        return false;
    }
    m_trigram = query.exec(QStringLiteral(
                    "SELECT count(*) FROM sqlite_master WHERE name = 'name_search'")) &&
                query.next() && query.value(0).toInt() > 0;
    m_open = true;
    return true;
}

QList<WebHit> HitLookup::find(const QString &words, int limit)
{
    if (!open())
        return {};
    HistoryFilter filter;
    filter.text = words;
    const HitFind find = buildHitFind(filter, QString(), m_trigram);
    // As the history reads them: a find of few hits by their combinations,
    // one of many by walking the hits newest first until there are enough.
    if (find.comboWhere != QLatin1String("1") && findsFewHits(find)) {
        HitFind byCombos = find;
        byCombos.where =
            QStringLiteral("combo IN (SELECT id FROM combos WHERE %1)").arg(find.comboWhere);
        byCombos.values = find.values.mid(0, find.withValues);
        if (const auto hits =
                readHits(byCombos, QStringLiteral("hits INDEXED BY hits_combo"), limit))
            return *hits;
    }
    return readHits(find, QStringLiteral("hits"), limit).value_or(QList<WebHit>());
}

std::optional<QList<WebHit>> HitLookup::readHits(const HitFind &find, const QString &from,
                                                 int limit)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(
        find.with +
        QStringLiteral(" SELECT h.id, st.text, et.text, s.text, g.text, c.text, f.text, k.text, "
                       "rec.path IS NOT NULL AND rec.deleted = 0, r.name FROM "
                       "(SELECT * FROM %2 WHERE %1 ORDER BY start_utc DESC, id DESC LIMIT ?) "
                       "AS h JOIN runs r ON r.id = h.run JOIN names s ON s.id = h.system "
                       "JOIN names g ON g.id = h.grp JOIN names c ON c.id = h.channel "
                       "JOIN names f ON f.id = h.frequency JOIN names k ON k.id = h.code "
                       "JOIN names st ON st.id = h.start_text JOIN names et ON et.id = h.end_text "
                       "LEFT JOIN recordings rec ON rec.hit = h.id "
                       "ORDER BY h.start_utc DESC, h.id DESC")
            .arg(find.where, from));
    for (const QVariant &value : find.values)
        query.addBindValue(value);
    query.addBindValue(limit);
    if (!query.exec())
        return std::nullopt;
    QList<WebHit> result;
    while (query.next()) {
        WebHit hit;
        hit.id = query.value(0).toLongLong();
        hit.start = query.value(1).toString();
        hit.end = query.value(2).toString();
        hit.system = query.value(3).toString();
        hit.group = query.value(4).toString();
        hit.channel = query.value(5).toString();
        hit.frequency = query.value(6).toString();
        hit.code = query.value(7).toString();
        hit.recording = query.value(8).toBool();
        // The run's name begins with its date, as the log's date column shows it.
        hit.date = query.value(9).toString().left(10);
        result.append(hit);
    }
    return result;
}

bool HitLookup::findsFewHits(const HitFind &find)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (find.byRun)
        return false;
    if (find.comboCheck != QLatin1String("0")) {
        // Whether a word is also looked for in the times or the runs' names.
        query.prepare(find.with + QStringLiteral(" SELECT ") + find.comboCheck);
        for (int i = 0; i < find.withValues; ++i)
            query.addBindValue(find.values.at(i));
        for (const QVariant &value : find.checkValues)
            query.addBindValue(value);
        if (!query.exec() || !query.next() || query.value(0).toBool())
            return false;
    }
    query.prepare(find.with + QStringLiteral(" SELECT total(hits) FROM combos WHERE ") +
                  find.comboWhere);
    for (int i = 0; i < find.withValues; ++i)
        query.addBindValue(find.values.at(i));
    return query.exec() && query.next() && query.value(0).toDouble() < fewHits;
}

QString HitLookup::recordingFile(qint64 hitId)
{
    if (!open())
        return {};
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT path FROM recordings WHERE hit = ? AND deleted = 0"));
    query.addBindValue(hitId);
    if (!query.exec() || !query.next())
        return {};
    return query.value(0).toString();
}
