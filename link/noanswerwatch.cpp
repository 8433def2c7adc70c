#include "link/noanswerwatch.h"

#include <algorithm>

void NoAnswerWatch::asked(qint64 nowMs)
{
    if (!m_waitingSince)
        m_waitingSince = nowMs;
}

bool NoAnswerWatch::took(QByteArrayView bytes)
{
    if (!m_waitingSince || !holdsReplyLine(bytes))
        return false;
    m_waitingSince.reset();
    return true;
}

qint64 NoAnswerWatch::msToSilence(qint64 nowMs) const
{
    if (!m_waitingSince)
        return -1;
    return std::max<qint64>(0, quietMs - (nowMs - *m_waitingSince));
}

bool holdsReplyLine(QByteArrayView bytes)
{
    qsizetype start = 0;
    for (qsizetype end = bytes.indexOf('\r'); end >= 0;
         start = end + 1, end = bytes.indexOf('\r', start)) {
        const QByteArrayView line = bytes.sliced(start, end - start);
        if (line.size() < 3 || (line.size() > 3 && line.at(3) != ','))
            continue;
        if (std::all_of(line.begin(), line.begin() + 3,
                        [](char c) { return c >= 'A' && c <= 'Z'; }))
            return true;
    }
    return false;
}

QString noAnswerText(int comPort, const QString &device, int baud)
{
    return QStringLiteral("No answer from the radio on COM %1 (%2) at %3 baud: check the cable, "
                          "that the radio's remote setting is on, and that its speed is %3")
        .arg(comPort)
        .arg(device)
        .arg(baud);
}
