#include "web/requestsizeguard.h"

#include <QList>

bool RequestSizeGuard::feed(const QByteArray &bytes)
{
    qsizetype pos = 0;
    while (!m_refused && pos < bytes.size()) {
        if (m_bodyLeft > 0) {
            const qsizetype taken = qsizetype(qMin<qint64>(m_bodyLeft, bytes.size() - pos));
            m_bodyLeft -= taken;
            pos += taken;
            continue;
        }
        const qsizetype before = m_head.size();
        m_head.append(bytes.constData() + pos, bytes.size() - pos);
        const qsizetype end = m_head.indexOf("\r\n\r\n");
        if (end < 0) {
            m_refused = m_head.size() > m_limit;
            return !m_refused;
        }
        pos += end + 4 - before;
        m_head.truncate(end + 4);
        m_refused = !headEnded();
        m_head.clear();
    }
    if (m_refused)
        m_bodyLeft -= qMin<qint64>(m_bodyLeft, bytes.size() - pos);
    return !m_refused;
}

bool RequestSizeGuard::headEnded()
{
    // Blank lines between requests are no part of the next one's head.
    qsizetype start = 0;
    while (m_head.mid(start, 2) == "\r\n")
        start += 2;
    qint64 length = 0;
    for (const QByteArray &line : m_head.mid(start).split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "transfer-encoding")
            return false;
        if (name == "content-length") {
            bool ok = false;
            length = value.toLongLong(&ok);
            if (!ok || length < 0)
                return false;
        }
    }
    m_bodyLeft = length;
    return m_head.size() - start + length <= m_limit;
}
