#pragma once

#include "log/historyfilter.h"

#include <QString>
#include <QVariantList>

// The parts of a query on `hits` that pick what the history's filter shows:
// a WITH and a WHERE clause and the values bound to their "?" in order. A word is found
// in a hit when it is inside any of its names (system " / " group, channel,
// frequency, code), in any case, or, when it holds ":" or "-", inside its
// times or its run's name and date; the dates are the run's date, as the log
// lines hold it.
struct HitFind
{
    QString with;        // "WITH w0(id) AS (...), ..." for the words' names, or empty
    QString where;       // "1" when nothing is left out
    QVariantList values; // for the WITH clause first, then for the WHERE clause
    int withValues = 0;  // how many of values are the WITH clause's

    // The same words on the table of distinct combinations (`combos`), and
    // what tells whether that is enough: no dates, not this run only, and
    // no word inside a time or a run's name (comboCheck, an expression true
    // when one is, its values after the WITH clause's).
    bool byRun = false;
    QString comboWhere;
    QString comboCheck;
    QVariantList checkValues;
};

// thisRun is the running program's run name ("This run only").
// trigramSearch: the names have a trigram index; words of three characters
// or more are looked up there, shorter ones by a scan of the distinct names.
HitFind buildHitFind(const HistoryFilter &filter, const QString &thisRun, bool trigramSearch);

// Whether a word of the find is also looked for in the hits' times and the
// run's name ("8:05", "12-05"): a word of letters and digits alone is looked
// for in the names, so that its count is the sum of the combinations'.
bool looksLikeTimeOrDate(const QString &word);

// A word as an FTS5 phrase: in double quotes, its double quotes doubled.
QString ftsPhrase(const QString &word);
