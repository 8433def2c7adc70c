#pragma once

#include "log/historyfilter.h"

#include <QList>
#include <QString>
#include <QVariantList>

// A piece of SQL and the values bound to its "?" in order.
struct SqlPart
{
    QString text;
    QVariantList values;

    SqlPart &operator+=(const SqlPart &other)
    {
        text += other.text;
        values += other.values;
        return *this;
    }
};
SqlPart operator+(SqlPart left, const SqlPart &right);
SqlPart sqlText(const QString &text);
// The parts joined by glue; "1" when there are none.
SqlPart joinedSql(const QList<SqlPart> &parts, const QString &glue);

// One word of the find. It is found in a hit when it is inside any of its
// names (system, group, channel, frequency, code), in any case, or, when it
// holds ":" or "-", inside its times or its run's name (which holds the date
// the log lines show).
struct FindWord
{
    QString table;   // "w0": the ids of the distinct names holding the word
    QString combos;  // the word in a row of `combos`
    QString word;    // in lower case
    bool timeOrDate; // also looked for in the times and the run's name
};

// The parts of a query on `hits` that pick what the history's filter shows.
struct HitFind
{
    SqlPart with; // "WITH w0(id) AS (...), ..." for the words' names, or empty
    QList<FindWord> words;
    // The runs the dates and "This run only" let through, on `runs`; empty
    // when they leave every run in.
    SqlPart runs;

    // Where a word is looked for: its names only; the run's name only
    // (a date); the times only; or all of them.
    enum class In { Names, Runs, Times, Anywhere };
    // The whole condition on a hit, each word looked for where in[i] says,
    // and the runs' condition (the dates, This run only and the words In::Runs).
    SqlPart where(const QList<In> &in, const SqlPart &runs) const;
    // The runs the dates, This run only and the words In::Runs let
    // through, on `runs`; empty when they leave every run in.
    SqlPart runsWhere(const QList<In> &in) const;
};

// A way to the hits of a find: the index walked and what picks the hits
// off it, and how many there are (or, when counting them all would take
// long, at least how many).
struct HitPlan
{
    HitFind find;
    QString from = QStringLiteral("hits INDEXED BY hits_start");
    SqlPart where;
    qint64 count = 0;
    bool exact = true;
    // The words are in names only, over every run: the sums of the
    // combinations that combosWhere picks answer the counts.
    bool byCombos = false;
    QString combosWhere;
    // Counting them all reads no more than a few hundred thousand hits
    // through an index: countFrom and countWhere.
    bool countDriven = false;
    QString countFrom;
    SqlPart countWhere;
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
