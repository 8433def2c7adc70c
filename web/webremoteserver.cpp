#include "web/webremoteserver.h"

#include <QHttpServer>

WebRemoteServer::WebRemoteServer(QObject *parent) : QObject(parent) {}

WebRemoteServer::~WebRemoteServer() = default;

bool WebRemoteServer::start(const WebRemoteOptions &options, QString *error)
{
    m_options = options;
    if (error)
        *error = QStringLiteral("Not built yet.");
    return false;
}

void WebRemoteServer::stop() {}

bool WebRemoteServer::isListening() const
{
    return false;
}

quint16 WebRemoteServer::port() const
{
    return m_port;
}

QStringList WebRemoteServer::addresses() const
{
    return {};
}

void WebRemoteServer::setHitSource(WebHitSource *source)
{
    m_source = source;
}

void WebRemoteServer::setScreen(const WebScreenState &screen)
{
    m_screen = screen;
}

void WebRemoteServer::addHit(const WebHit &hit)
{
    m_hits.append(hit);
}

void WebRemoteServer::setAudioFormat(int sampleRate, int channels)
{
    m_audioRate = sampleRate;
    m_audioChannels = channels;
}

void WebRemoteServer::sendAudio(const QByteArray &) {}

int WebRemoteServer::listenerCount() const
{
    return 0;
}
