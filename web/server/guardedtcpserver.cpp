#include "web/server/guardedtcpserver.h"

#include "web/requestsizeguard.h"

#include <QTcpSocket>

#include <memory>

namespace {

constexpr qint64 mostDrained = 4 * 1024 * 1024;

const QByteArray refusedTooLarge = QByteArrayLiteral(
    "HTTP/1.1 413 Payload Too Large\r\nContent-Security-Policy: default-src 'self'\r\n"
    "Content-Length: 0\r\nConnection: close\r\n\r\n");

struct ConnectionWatch
{
    explicit ConnectionWatch(qint64 limit) : guard(limit) {}
    RequestSizeGuard guard;
    qint64 drainLeft = -1; // after a refusal
};

void watchBytes(QTcpSocket *socket, ConnectionWatch &watch)
{
    if (watch.drainLeft < 0) {
        // The HTTP server reads all there is at each readyRead, so what is
        // there now is what came since.
        if (watch.guard.feed(socket->peek(socket->bytesAvailable())))
            return;
        watch.drainLeft = watch.guard.bodyLeft(mostDrained);
        socket->write(refusedTooLarge);
    }
    // What the HTTP server had begun to read of it is let go with the rest.
    if (socket->isTransactionStarted())
        socket->commitTransaction();
    watch.drainLeft -= socket->readAll().size();
    if (watch.drainLeft <= 0)
        socket->disconnectFromHost();
}

} // namespace

void GuardedTcpServer::incomingConnection(qintptr handle)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    // Screens and keys are small and go at once.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // Connected before the HTTP server's own, so it sees the bytes first; a
    // connection upgraded to a WebSocket drops it with the server's.
    auto watch = std::make_shared<ConnectionWatch>(m_maxRequestBytes);
    connect(socket, &QTcpSocket::readyRead, socket,
            [socket, watch] { watchBytes(socket, *watch); });
    addPendingConnection(socket);
}
