#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <array>

// One hit of the history: the seven fields of its hit log line, the run it
// came from, and what the filter and the counts need, worked out once.
struct HistoryHit
{
    static constexpr int FieldCount = 7;
    // System " / " group, channel, frequency, talkgroup or tone, start
    // time, end time, the run's date.
    std::array<QString, FieldCount> fields;
    int run = 0;         // index into the history's list of runs
    int airSeconds = -1; // end time less start time; -1 when either is unreadable
    QDate date;          // field 7
    QString haystack;    // every field and the run's name in lower case, for the filter
};

// Reads one hit log line (without its CR LF) into hit: seven TAB-separated
// fields, the first holding " / ", the last a date "mm-dd-yyyy", and no NUL
// or undecodable character. Anything else is not a hit line.
bool parseHitLine(QStringView line, const QString &runName, HistoryHit *hit);

// The time of day in seconds from a text in whatever time format wrote it
// ("3:45:12 PM", "15:45:12", "3-45-12-PM"); -1 when it holds no time.
int secondsOfDay(QStringView text);

// Seconds from start to end, over midnight when end is earlier; -1 when
// either time is unreadable.
int airSeconds(QStringView start, QStringView end);

// "0:07", "12:30", "1:02:03".
QString durationText(qint64 seconds);
