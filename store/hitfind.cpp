#include "store/hitfind.h"

#include <QStringList>

namespace {

const QStringList comboColumns = {QStringLiteral("system"), QStringLiteral("grp"),
                                  QStringLiteral("channel"), QStringLiteral("frequency"),
                                  QStringLiteral("code")};

} // namespace

SqlPart operator+(SqlPart left, const SqlPart &right)
{
    left += right;
    return left;
}

SqlPart sqlText(const QString &text)
{
    return {text, {}};
}

SqlPart joinedSql(const QList<SqlPart> &parts, const QString &glue)
{
    if (parts.isEmpty())
        return sqlText(QStringLiteral("1"));
    SqlPart joined = parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i)
        joined += sqlText(glue) + parts.at(i);
    return joined;
}

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

SqlPart HitFind::runsWhere(const QList<In> &in) const
{
    QList<SqlPart> parts;
    if (!runs.text.isEmpty())
        parts.append(runs);
    for (int i = 0; i < words.size(); ++i) {
        if (in.value(i) == In::Runs)
            parts.append({QStringLiteral("instr(lower(name), ?) > 0"), {words.at(i).word}});
    }
    return parts.isEmpty() ? SqlPart{} : joinedSql(parts, QStringLiteral(" AND "));
}

SqlPart HitFind::where(const QList<In> &in, const SqlPart &runs) const
{
    QList<SqlPart> parts;
    QStringList names;
    for (int i = 0; i < words.size(); ++i) {
        if (in.value(i) == In::Names)
            names.append(words.at(i).combos);
    }
    if (!names.isEmpty())
        parts.append(sqlText(QStringLiteral("combo IN (SELECT id FROM combos WHERE %1)")
                                 .arg(names.join(QStringLiteral(" AND ")))));
    for (int i = 0; i < words.size(); ++i) {
        const FindWord &word = words.at(i);
        const QString times = QStringLiteral("start_text IN %1 OR end_text IN %1").arg(word.table);
        if (in.value(i) == In::Times)
            parts.append(sqlText(u'(' + times + u')'));
        if (in.value(i) == In::Anywhere)
            parts.append(
                SqlPart{QStringLiteral("(combo IN (SELECT id FROM combos WHERE %1) OR %2 OR run "
                                       "IN (SELECT id FROM runs WHERE instr(lower(name), ?) > 0))")
                            .arg(word.combos, times),
                        {word.word}});
    }
    if (!runs.text.isEmpty())
        parts.append(sqlText(QStringLiteral("run IN (SELECT id FROM runs WHERE ")) + runs +
                     sqlText(QStringLiteral(")")));
    return joinedSql(parts, QStringLiteral(" AND "));
}

HitFind buildHitFind(const HistoryFilter &filter, const QString &thisRun, bool trigramSearch)
{
    HitFind find;
    QList<SqlPart> runParts;
    if (filter.thisRunOnly)
        runParts.append({QStringLiteral("name = ?"), {thisRun}});
    if (filter.from.isValid())
        runParts.append({QStringLiteral("day >= ?"), {filter.from.toJulianDay()}});
    if (filter.to.isValid())
        runParts.append({QStringLiteral("day <= ?"), {filter.to.toJulianDay()}});
    if (!runParts.isEmpty())
        find.runs = joinedSql(runParts, QStringLiteral(" AND "));
    QList<SqlPart> tables;
    for (const QString &word : filterWords(filter.text)) {
        // The " / " between system and group is part of the first column.
        if (QStringLiteral(" / ").contains(word))
            continue;
        const QString table = QStringLiteral("w%1").arg(tables.size());
        if (trigramSearch && word.size() >= 3) {
            tables.append({table + QStringLiteral("(id) AS (SELECT rowid FROM name_search WHERE "
                                                  "name_search MATCH ?)"),
                           {ftsPhrase(word)}});
        } else {
            tables.append({table + QStringLiteral("(id) AS (SELECT id FROM names WHERE "
                                                  "instr(lower(text), ?) > 0)"),
                           {word}});
        }
        // Each word's names are looked up once, whatever the number of columns.
        QStringList either;
        for (const QString &column : comboColumns)
            either.append(column + QStringLiteral(" IN ") + table);
        find.words.append({table, u'(' + either.join(QStringLiteral(" OR ")) + u')', word,
                           looksLikeTimeOrDate(word)});
    }
    if (!tables.isEmpty())
        find.with = sqlText(QStringLiteral("WITH ")) + joinedSql(tables, QStringLiteral(", "));
    return find;
}
