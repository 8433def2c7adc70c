#include "tuning/skiplist.h"

#include "tuning/listlines.h"
#include "tuning/tunefrequency.h"

namespace {

QString skipEntry(const QString &line)
{
    return hasPoint(line) ? FormatTuneFrequency(line) : line;
}

} // namespace

SkipList::SkipList() : m_entries(tuningEntryCount) {}

int SkipList::apply(const QStringList &lines)
{
    m_entries = QStringList(tuningEntryCount);
    m_used.clear();
    const qsizetype taken = qMin<qsizetype>(lines.size(), tuningEntryCount);
    for (qsizetype i = 0; i < taken; ++i) {
        const QString &line = lines.at(i);
        m_entries[i] = skipEntry(line);
        if (!m_entries.at(i).isEmpty())
            m_used.append(m_entries.at(i));
    }
    return int(lines.size() - taken);
}

int SkipList::matches(const QString &winFrequencyRaw, const QString &talkgroup,
                      const QString &stsField3) const
{
    if (!isOn())
        return 0;
    QString shownId;
    const bool hasId = stsField3.startsWith(QLatin1String("ID:"));
    if (hasId)
        shownId = stsField3.section(QLatin1Char(':'), 1, 1);
    int count = 0;
    for (const QString &entry : m_used) {
        count += entry == winFrequencyRaw;
        count += entry == talkgroup;
        count += hasId && entry == shownId;
    }
    return count;
}

QString withSkipLine(const QString &listText, const QString &line)
{
    QStringList lines = listLines(listText);
    const QString entry = skipEntry(line);
    for (const QString &kept : std::as_const(lines)) {
        if (skipEntry(kept) == entry)
            return listText;
    }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    lines.append(line);
    return lines.join(QLatin1Char('\n'));
}
