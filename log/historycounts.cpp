#include "log/historycounts.h"

#include <QHash>

#include <algorithm>

QList<HistoryCount> countHits(const QList<HistoryHit> &hits, const QList<int> &shown, CountBy by)
{
    QHash<std::pair<QString, QString>, qsizetype> slot;
    QList<HistoryCount> counts;
    for (const int index : shown) {
        const HistoryHit &hit = hits.at(index);
        const QString &key = by == CountBy::Channel ? hit.fields[1] : hit.fields[3];
        if (key.isEmpty())
            continue;
        // A channel or talkgroup name means something only within its system.
        const std::pair<QString, QString> where(key, hit.fields[0]);
        auto it = slot.constFind(where);
        if (it == slot.cend()) {
            it = slot.insert(where, counts.size());
            counts.append({key + QStringLiteral("  (") + hit.fields[0] + u')', 0, 0});
        }
        HistoryCount &count = counts[*it];
        ++count.hits;
        count.airSeconds += qMax(hit.airSeconds, 0);
    }
    sortCounts(counts);
    return counts;
}

void sortCounts(QList<HistoryCount> &counts)
{
    std::sort(counts.begin(), counts.end(), [](const HistoryCount &a, const HistoryCount &b) {
        if (a.airSeconds != b.airSeconds)
            return a.airSeconds > b.airSeconds;
        if (a.hits != b.hits)
            return a.hits > b.hits;
        return a.name < b.name;
    });
}
