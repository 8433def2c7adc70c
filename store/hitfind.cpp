#include "store/hitfind.h"

#include <QStringList>

namespace {

const QStringList comboColumns = {QStringLiteral("system"), QStringLiteral("grp"),
                                  QStringLiteral("channel"), QStringLiteral("frequency"),
                                  QStringLiteral("code")};
const QStringList timeColumns = {QStringLiteral("start_text"), QStringLiteral("end_text")};

} // namespace

bool looksLikeTimeOrDate(const QString &word)
{
    return word.contains(u':') || word.contains(u'-');
}

QString ftsPhrase(const QString &word)
{
    QString quoted = word;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

HitFind buildHitFind(const HistoryFilter &filter, const QString &thisRun, bool trigramSearch)
{
    HitFind find;
    QStringList parts;
    QVariantList whereValues;
    QStringList runParts;
    if (filter.thisRunOnly) {
        runParts.append(QStringLiteral("name = ?"));
        whereValues.append(thisRun);
    }
    if (filter.from.isValid()) {
        runParts.append(QStringLiteral("day >= ?"));
        whereValues.append(filter.from.toJulianDay());
    }
    if (filter.to.isValid()) {
        runParts.append(QStringLiteral("day <= ?"));
        whereValues.append(filter.to.toJulianDay());
    }
    find.byRun = !runParts.isEmpty();
    QStringList comboParts;
    QStringList checks;
    if (!runParts.isEmpty())
        parts.append(QStringLiteral("run IN (SELECT id FROM runs WHERE %1)")
                         .arg(runParts.join(QStringLiteral(" AND "))));
    QStringList tables;
    for (const QString &word : filterWords(filter.text)) {
        // The " / " between system and group is part of the first column.
        if (QStringLiteral(" / ").contains(word))
            continue;
        const QString table = QStringLiteral("w%1").arg(tables.size());
        if (trigramSearch && word.size() >= 3) {
            tables.append(table +
                          QStringLiteral("(id) AS (SELECT rowid FROM name_search WHERE name_search "
                                         "MATCH ?)"));
            find.values.append(ftsPhrase(word));
        } else {
            tables.append(table + QStringLiteral("(id) AS (SELECT id FROM names WHERE "
                                                 "instr(lower(text), ?) > 0)"));
            find.values.append(word);
        }
        // Each word's names are looked up once, whatever the number of columns.
        QStringList either;
        for (const QString &column : comboColumns)
            either.append(column + QStringLiteral(" IN ") + table);
        comboParts.append(u'(' + either.join(QStringLiteral(" OR ")) + u')');
        if (looksLikeTimeOrDate(word)) {
            for (const QString &column : timeColumns)
                either.append(column + QStringLiteral(" IN ") + table);
            either.append(
                QStringLiteral("run IN (SELECT id FROM runs WHERE instr(lower(name), ?) > 0)"));
            whereValues.append(word);
            checks.append(
                QStringLiteral("EXISTS (SELECT 1 FROM names WHERE times = 1 AND id IN %1) "
                               "OR EXISTS (SELECT 1 FROM runs WHERE instr(lower(name), ?) > 0)")
                    .arg(table));
            find.checkValues.append(word);
        }
        parts.append(u'(' + either.join(QStringLiteral(" OR ")) + u')');
    }
    if (!tables.isEmpty())
        find.with = QStringLiteral("WITH ") + tables.join(QStringLiteral(", "));
    find.where = parts.isEmpty() ? QStringLiteral("1") : parts.join(QStringLiteral(" AND "));
    find.comboWhere =
        comboParts.isEmpty() ? QStringLiteral("1") : comboParts.join(QStringLiteral(" AND "));
    find.comboCheck = checks.isEmpty() ? QStringLiteral("0") : checks.join(QStringLiteral(" OR "));
    find.withValues = int(find.values.size());
    find.values += whereValues;
    return find;
}
