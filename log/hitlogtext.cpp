#include "log/hitlogtext.h"

namespace {
constexpr QStringView lineEnd = u"\r\n";
}

void HitLogText::insertHitLine(const QString &line)
{
    const bool ended = line.endsWith(lineEnd);
    if (!ended)
        m_text.prepend(lineEnd);
    m_text.prepend(line);

    // The line may itself hold several CR LF ended lines; the last of them is
    // the oldest.
    const qsizetype added = line.size() + (ended ? 0 : lineEnd.size());
    QList<qsizetype> starts{0};
    for (qsizetype cut = line.indexOf(lineEnd); cut >= 0 && cut + lineEnd.size() < added;
         cut = line.indexOf(lineEnd, cut + lineEnd.size()))
        starts.append(cut + lineEnd.size());
    for (auto it = starts.crbegin(); it != starts.crend(); ++it)
        m_startsFromEnd.append(m_text.size() - *it);
    m_lineCount += starts.size();
}

void HitLogText::clear()
{
    m_text.clear();
    m_lineCount = 0;
    m_startsFromEnd.clear();
}

QStringView HitLogText::line(qsizetype i) const
{
    if (i < 0 || i >= m_lineCount)
        return {};
    const qsizetype start = m_text.size() - m_startsFromEnd.at(m_lineCount - 1 - i);
    // A line ends where the next older one starts; the oldest at the end.
    const qsizetype end = i + 1 < m_lineCount
                              ? m_text.size() - m_startsFromEnd.at(m_lineCount - 2 - i)
                              : m_text.size();
    return QStringView(m_text).mid(start, end - start - lineEnd.size());
}
