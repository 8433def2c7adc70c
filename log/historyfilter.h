#pragma once

#include "log/historyhit.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// What the history shows: hits holding every word of the text (in any
// column, any case), dated from..to (an invalid date leaves that end open),
// and with thisRunOnly only the hits of the running program.
struct HistoryFilter
{
    QString text;
    QDate from;
    QDate to;
    bool thisRunOnly = false;
};

// The filter text's words in lower case.
QStringList filterWords(const QString &text);

bool hitMatches(const HistoryHit &hit, const QStringList &words, const HistoryFilter &filter,
                int thisRun);

// True when every hit that matches next also matches previous, so that next
// only needs to look at what previous shows (the user typed on).
bool filterNarrows(const HistoryFilter &previous, const HistoryFilter &next);
