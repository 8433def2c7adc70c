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
    m_lineCount += line.count(lineEnd) + (ended ? 0 : 1);
}

void HitLogText::clear()
{
    m_text.clear();
    m_lineCount = 0;
}
