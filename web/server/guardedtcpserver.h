#pragma once

#include <QTcpServer>

// A listening socket whose connections are measured request by request as
// their bytes arrive, before the HTTP server reads them: a request over
// the limit is answered 413 here, its body read and thrown away (up to a
// few MiB, so that the browser reads the answer rather than a reset), and
// the connection closed. The HTTP server never holds it.
class GuardedTcpServer : public QTcpServer
{
public:
    explicit GuardedTcpServer(qint64 maxRequestBytes, QObject *parent = nullptr)
        : QTcpServer(parent), m_maxRequestBytes(maxRequestBytes)
    {}

protected:
    void incomingConnection(qintptr handle) override;

private:
    qint64 m_maxRequestBytes;
};
