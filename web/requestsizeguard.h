#pragma once

#include <QByteArray>

// Watches the bytes of an HTTP connection as they arrive, before the server
// reads them, and tells when a request grows past the limit: its head and
// its declared body together. A body of unknown length (chunked) is refused
// too; a browser sends its forms with a length. Requests one after another
// on the same connection are each measured on their own.
class RequestSizeGuard
{
public:
    explicit RequestSizeGuard(qint64 limit) : m_limit(limit) {}

    // False once a request is too large; it stays false.
    bool feed(const QByteArray &bytes);
    bool refused() const { return m_refused; }
    // After a refusal: how much of the refused body is still to come, at
    // most cap; read and thrown away so that the answer reaches the browser.
    qint64 bodyLeft(qint64 cap) const { return m_bodyLeft < cap ? m_bodyLeft : cap; }

private:
    bool headEnded();

    qint64 m_limit;
    QByteArray m_head;
    qint64 m_bodyLeft = 0;
    bool m_refused = false;
};
