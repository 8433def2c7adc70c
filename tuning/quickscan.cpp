#include "tuning/quickscan.h"

#include "tuning/tunefrequency.h"

QString quickScanModulation(const QString &word)
{
    for (const QLatin1String name :
         {QLatin1String("NFM"), QLatin1String("WFM"), QLatin1String("AM")}) {
        if (word == name || word == QString(name).toLower())
            return name;
    }
    return QStringLiteral("FM");
}

QString quickScanEntry(const QString &line)
{
    if (!hasPoint(line))
        return {};
    const QStringList pieces = line.split(QLatin1Char('.'));
    const QStringList words = pieces.at(1).split(QLatin1Char(' '));
    return pieces.at(0).rightJustified(4, QLatin1Char('0')) +
           words.at(0).leftJustified(4, QLatin1Char('0')) + QLatin1Char(' ') +
           quickScanModulation(words.value(1));
}

QuickScan::QuickScan() : m_entries(tuningEntryCount) {}

int QuickScan::rebuild(const QStringList &lines)
{
    m_entries = QStringList(tuningEntryCount);
    int leftOut = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString entry = quickScanEntry(lines.at(i));
        if (i < tuningEntryCount)
            m_entries[i] = entry;
        else if (!entry.isEmpty())
            ++leftOut;
    }
    m_index = 0;
    return leftOut;
}

QuickScan::Step QuickScan::next()
{
    Step step;
    if (m_index < 0 || m_index >= tuningEntryCount || m_entries.at(m_index).isEmpty()) {
        step.debugText = QString::number(m_index);
        m_index = 0;
        return step;
    }
    const QStringList parts = m_entries.at(m_index).split(QLatin1Char(' '));
    step.command = BuildQuickSearchCommand(parts.at(0), parts.value(1));
    step.debugText =
        QStringLiteral("test: ") + QString::fromLatin1(step.command) + QLatin1Char('\r');
    ++m_index;
    return step;
}
