#pragma once

#include "log/historyhit.h"

#include <QList>
#include <QString>

// Hits and air time summed per channel, or per talkgroup (tone for a
// conventional channel), of the hits shown. Unreadable times add no air time.
struct HistoryCount
{
    QString name;
    int hits = 0;
    qint64 airSeconds = 0;
};

enum class CountBy { Channel, Talkgroup };

// shown holds indexes into hits. The result is sorted by air time, then by
// hits (both most first), then by name. Hits without a talkgroup or tone are
// left out of the talkgroup count.
// Air time, then hits (both most first), then name.
void sortCounts(QList<HistoryCount> &counts);

QList<HistoryCount> countHits(const QList<HistoryHit> &hits, const QList<int> &shown, CountBy by);
