#pragma once

#include "log/historyfilter.h"

#include <QString>
#include <QVariantList>

// The parts of a query on `hits` that pick what the history's filter shows:
// a WITH and a WHERE clause and the values bound to their "?" in order. A word is found
// in a hit when it is inside any of its texts (system " / " group, channel,
// frequency, code, times, the run's name and date), in any case; the dates
// are the run's date, as the log lines hold it.
struct HitFind
{
    QString with;        // "WITH w0(id) AS (...), ..." for the words' names, or empty
    QString where;       // "1" when nothing is left out
    QVariantList values; // for the WITH clause first, then for the WHERE clause
};

// thisRun is the running program's run name ("This run only").
// trigramSearch: the names have a trigram index; words of three characters
// or more are looked up there, shorter ones by a scan of the distinct names.
HitFind buildHitFind(const HistoryFilter &filter, const QString &thisRun, bool trigramSearch);

// A word as an FTS5 phrase: in double quotes, its double quotes doubled.
QString ftsPhrase(const QString &word);
