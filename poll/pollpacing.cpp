#include "poll/pollpacing.h"

int PollPacing::setsPerSecond(int baud)
{
    // Ten bits a byte: start, eight data bits, stop.
    return baud / 10 / setBytes;
}

QString PollPacing::speedNote(int baud)
{
    if (!pacedAt(baud))
        return {};
    return QStringLiteral("%1 baud carries about %2 screen updates a second")
        .arg(baud)
        .arg(setsPerSecond(baud));
}

void PollPacing::restart()
{
    m_outstanding = false;
    m_ticksWaited = 0;
}

bool PollPacing::tickMaySend(QByteArrayView waiting)
{
    if (!pacedAt(m_baud) || !m_outstanding || repliesIn(waiting))
        return true;
    return ++m_ticksWaited >= timeoutTicks;
}

bool PollPacing::repliesIn(QByteArrayView waiting) const
{
    return pacedAt(m_baud) && m_outstanding && waiting.count('\r') >= 3;
}

void PollPacing::sent()
{
    m_outstanding = true;
    m_ticksWaited = 0;
}
