#include "log/historyfilter.h"

#include <QRegularExpression>

#include <algorithm>

QStringList filterWords(const QString &text)
{
    return text.toLower().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

bool hitMatches(const HistoryHit &hit, const QStringList &words, const HistoryFilter &filter,
                int thisRun)
{
    if (filter.thisRunOnly && hit.run != thisRun)
        return false;
    if (filter.from.isValid() && hit.date < filter.from)
        return false;
    if (filter.to.isValid() && hit.date > filter.to)
        return false;
    for (const QString &word : words) {
        if (!hit.haystack.contains(word))
            return false;
    }
    return true;
}

bool filterNarrows(const HistoryFilter &previous, const HistoryFilter &next)
{
    if (previous.from != next.from || previous.to != next.to ||
        (previous.thisRunOnly && !next.thisRunOnly))
        return false;
    const QStringList nextWords = filterWords(next.text);
    for (const QString &old : filterWords(previous.text)) {
        const bool kept = std::any_of(nextWords.cbegin(), nextWords.cend(),
                                      [&old](const QString &word) { return word.contains(old); });
        if (!kept)
            return false;
    }
    return true;
}
