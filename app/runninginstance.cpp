#include "app/runninginstance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray showRequest = "show\n";

} // namespace

RunningInstance::RunningInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent), m_name(serverName(dataFolder))
{}

QString RunningInstance::serverName(const QString &dataFolder)
{
    const QFileInfo folder(dataFolder);
    const QString path = folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                                              : folder.canonicalFilePath();
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("tollvane-") + QString::fromLatin1(hash.toHex().left(16));
}

bool RunningInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(showRequest))
                    Q_EMIT showRequested();
            });
        }
    });
    return true;
}

bool RunningInstance::askToShow(const QString &dataFolder, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(dataFolder));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(showRequest);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}
