#include "web/server/webremoteserver.h"

#include "log/historyfilter.h"
#include "web/byterange.h"
#include "web/loginlimit.h"
#include "web/server/guardedtcpserver.h"
#include "web/server/qrcode.h"
#include "web/server/webhttp.h"
#include "web/webmessages.h"
#include "web/webpassword.h"

#include <QFile>
#include <QHttpServer>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QWebSocket>

#include <algorithm>
#include <chrono>

namespace {

using Status = QHttpServerResponder::StatusCode;

constexpr qint64 maxRequestBytes = 64 * 1024;
constexpr qint64 mostRangeBytes = 4 * 1024 * 1024;
constexpr qint64 mostAudioBacklog = 1024 * 1024;
constexpr qint64 mostBacklog = 4 * mostAudioBacklog;
// Longer finds are cut: no one types more, and each word costs the query.
constexpr qsizetype longestFind = 200;
constexpr int keptHits = 100;
constexpr int mostHits = 500;
constexpr int keptSessions = 32;
constexpr int logInsPerMinute = 5;
constexpr char sessionCookie[] = "tollvane_session";

// The log-in form when the page's own is not among the resources.
const QByteArray plainLogIn = QByteArrayLiteral(
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Tollvane</title></head><body>"
    "<form method=\"post\" action=\"/login\"><label>Password "
    "<input type=\"password\" name=\"password\" autofocus></label> "
    "<button type=\"submit\">Log in</button></form></body></html>");

struct PageFile
{
    const char *path;
    const char *resource;
    const char *type;
};

// The only files the server hands out.
constexpr PageFile pageFiles[] = {
    {"/", ":/web/index.html", "text/html; charset=utf-8"},
    {"/app.js", ":/web/app.js", "text/javascript; charset=utf-8"},
    {"/app.css", ":/web/app.css", "text/css; charset=utf-8"},
    {"/login.css", ":/web/login.css", "text/css; charset=utf-8"},
};

qint64 nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QByteArray newToken()
{
    quint32 words[8];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char *>(words), sizeof(words)).toHex();
}

// Whom the log-in limit counts: an IPv4 address, or an IPv6 address's
// network (its first 64 bits), since a computer may take any address of its
// network.
QString guesser(const QHostAddress &address)
{
    bool isIPv4 = false;
    const quint32 v4 = address.toIPv4Address(&isIPv4);
    if (isIPv4)
        return QHostAddress(v4).toString();
    Q_IPV6ADDR v6 = address.toIPv6Address();
    std::fill(std::begin(v6.c) + 8, std::end(v6.c), quint8(0));
    return QHostAddress(v6).toString();
}

void sendLogInPage(QHttpServerResponder &&responder, Status status)
{
    QFile file(QStringLiteral(":/web/login.html"));
    sendAnswer(std::move(responder), status, "text/html; charset=utf-8",
               file.open(QIODevice::ReadOnly) ? file.readAll() : plainLogIn);
}

} // namespace

WebRemoteServer::WebRemoteServer(QObject *parent)
    : WebRemote(parent), m_loginLimit(std::make_unique<LoginLimit>(logInsPerMinute, 60000))
{}

WebRemoteServer::~WebRemoteServer()
{
    // Whoever listens may be going away too.
    blockSignals(true);
    stop();
}

bool WebRemoteServer::start(const WebRemoteOptions &options, QString *error)
{
    stop();
    if (options.allowOthers && options.passwordHash.isEmpty()) {
        if (error)
            *error = QStringLiteral("A password is needed before other computers are allowed.");
        return false;
    }
    auto http = std::make_unique<QHttpServer>();
    auto *tcp = new GuardedTcpServer(maxRequestBytes, http.get());
    const QHostAddress address = options.allowOthers ? QHostAddress(QHostAddress::Any)
                                                     : QHostAddress(QHostAddress::LocalHost);
    if (!tcp->listen(address, options.port)) {
        if (error)
            *error = QStringLiteral("Port %1 cannot be used: %2")
                         .arg(options.port)
                         .arg(tcp->errorString());
        return false;
    }
    http->bind(tcp);
    http->route<WebSocketRule>(
        QStringLiteral("/ws"),
        [this](const QHttpServerRequest &request) {
            return mayUpgrade(headerValue(request, "Host"), headerValue(request, "Origin"),
                              headerValue(request, "Cookie"));
        },
        [](const QHttpServerRequest &, QHttpServerResponder &&) {});
    http->setMissingHandler(
        [this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
            answer(request, std::move(responder));
        });
    connect(http.get(), &QAbstractHttpServer::newWebSocketConnection, this,
            &WebRemoteServer::takeWebSockets);
    m_options = options;
    m_http = std::move(http);
    m_tcp = tcp;
    return true;
}

void WebRemoteServer::stop()
{
    const QList<QWebSocket *> sockets = m_sockets;
    m_sockets.clear();
    for (QWebSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
    const bool hadListeners = !m_listeners.isEmpty();
    m_listeners.clear();
    m_sessions.clear();
    m_tcp = nullptr;
    m_http.reset();
    if (hadListeners)
        Q_EMIT listenersChanged(0);
}

bool WebRemoteServer::isListening() const
{
    return m_tcp && m_tcp->isListening();
}

quint16 WebRemoteServer::port() const
{
    return isListening() ? m_tcp->serverPort() : 0;
}

QStringList WebRemoteServer::addresses() const
{
    if (!isListening())
        return {};
    const QString form = QStringLiteral("http://%1:%2/");
    QStringList result;
    if (m_options.allowOthers) {
        const auto interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface &interface : interfaces) {
            const auto flags = interface.flags();
            if (!flags.testFlag(QNetworkInterface::IsUp) ||
                !flags.testFlag(QNetworkInterface::IsRunning) ||
                flags.testFlag(QNetworkInterface::IsLoopBack))
                continue;
            const auto entries = interface.addressEntries();
            for (const QNetworkAddressEntry &entry : entries) {
                if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                    result.append(form.arg(entry.ip().toString()).arg(port()));
            }
        }
    }
    if (result.isEmpty())
        result.append(form.arg(QStringLiteral("127.0.0.1")).arg(port()));
    return result;
}

QImage WebRemoteServer::addressCode() const
{
    return isListening() ? qrCodeImage(addresses().value(0)) : QImage();
}

void WebRemoteServer::setHitSource(WebHitSource *source)
{
    m_source = source;
}

void WebRemoteServer::setScreen(const WebScreenState &screen)
{
    if (screen == m_screen)
        return;
    m_screen = screen;
    if (!m_sockets.isEmpty())
        sendToAll(screenMessage(m_screen));
}

void WebRemoteServer::addHit(const WebHit &hit)
{
    m_hits.append(hit);
    if (m_hits.size() > keptHits)
        m_hits.removeFirst();
    if (!m_sockets.isEmpty())
        sendToAll(hitMessage(hit));
}

void WebRemoteServer::setAudioFormat(int sampleRate, int channels)
{
    if (sampleRate == m_audioRate && channels == m_audioChannels)
        return;
    m_audioRate = sampleRate;
    m_audioChannels = channels;
    for (QWebSocket *socket : std::as_const(m_listeners))
        socket->sendTextMessage(QString::fromUtf8(audioMessage(m_audioRate, m_audioChannels)));
}

void WebRemoteServer::sendAudio(const QByteArray &pcm)
{
    for (QWebSocket *socket : std::as_const(m_listeners)) {
        // A page that cannot keep up misses audio rather than piling it up.
        if (socket->bytesToWrite() < mostAudioBacklog)
            socket->sendBinaryMessage(pcm);
    }
}

int WebRemoteServer::listenerCount() const
{
    return int(m_listeners.size());
}

void WebRemoteServer::answer(const QHttpServerRequest &request, QHttpServerResponder &&responder)
{
    // The connection's guard refuses these before they are read; this is
    // the same rule for a request that got past it.
    if (request.body().size() > maxRequestBytes)
        return sendAnswer(std::move(responder), Status::PayloadTooLarge);
    // On this machine only, a page of another name (one that resolves to
    // 127.0.0.1) is not served.
    if (!m_options.allowOthers && !isOwnHost(headerValue(request, "Host")))
        return sendAnswer(std::move(responder), Status::Forbidden);
    const QString path = request.url().path(QUrl::FullyEncoded);
    if (path == QLatin1String("/login"))
        return logIn(request, std::move(responder));
    if (path != QLatin1String("/login.css") && m_options.allowOthers &&
        !hasSession(headerValue(request, "Cookie")))
        return sendLogInPage(std::move(responder), Status::Unauthorized);
    if (request.method() != QHttpServerRequest::Method::Get)
        return sendAnswer(std::move(responder), Status::MethodNotAllowed, {}, {},
                          {{"Allow", "GET"}});
    if (path == QLatin1String("/api/hits"))
        return sendHits(request, std::move(responder));
    static const QRegularExpression recording(QStringLiteral("^/recordings/([0-9]{1,18})$"));
    if (const auto match = recording.match(path); match.hasMatch())
        return sendRecording(request, match.captured(1).toLongLong(), std::move(responder));
    for (const PageFile &page : pageFiles) {
        if (path != QLatin1String(page.path))
            continue;
        QFile file(QString::fromLatin1(page.resource));
        if (file.open(QIODevice::ReadOnly))
            return sendAnswer(std::move(responder), Status::Ok, page.type, file.readAll());
    }
    sendAnswer(std::move(responder), Status::NotFound);
}

void WebRemoteServer::logIn(const QHttpServerRequest &request, QHttpServerResponder &&responder)
{
    if (!m_options.allowOthers)
        return sendAnswer(std::move(responder), Status::SeeOther, {}, {}, {{"Location", "/"}});
    if (request.method() == QHttpServerRequest::Method::Get)
        return sendLogInPage(std::move(responder), Status::Ok);
    if (request.method() != QHttpServerRequest::Method::Post)
        return sendAnswer(std::move(responder), Status::MethodNotAllowed, {}, {},
                          {{"Allow", "GET, POST"}});
    const QString address = guesser(request.remoteAddress());
    const qint64 now = nowMs();
    if (!m_loginLimit->allows(address, now))
        return sendAnswer(std::move(responder), Status::TooManyRequests, {}, {},
                          {{"Retry-After", "60"}});
    if (!passwordMatches(formValue(request.body(), QStringLiteral("password")),
                         m_options.passwordHash)) {
        m_loginLimit->failed(address, now);
        return sendLogInPage(std::move(responder), Status::Unauthorized);
    }
    const QByteArray token = newToken();
    m_sessions.append(token);
    if (m_sessions.size() > keptSessions)
        m_sessions.removeFirst();
    sendAnswer(std::move(responder), Status::SeeOther, {}, {},
               {{"Location", "/"},
                {"Set-Cookie",
                 QByteArray(sessionCookie) + '=' + token + "; HttpOnly; SameSite=Strict; Path=/"}});
}

void WebRemoteServer::sendHits(const QHttpServerRequest &request, QHttpServerResponder &&responder)
{
    const QByteArray query = request.url().query(QUrl::FullyEncoded).toLatin1();
    bool ok = false;
    int limit = formValue(query, QStringLiteral("limit")).toInt(&ok);
    limit = ok ? qBound(1, limit, mostHits) : keptHits;
    const QString words = formValue(query, QStringLiteral("find")).left(longestFind);
    const QList<WebHit> hits = m_source ? m_source->find(words, limit) : recentHits(words, limit);
    sendAnswer(std::move(responder), Status::Ok, "application/json",
               jsonText({{QStringLiteral("hits"), hitsJson(hits)}}));
}

void WebRemoteServer::sendRecording(const QHttpServerRequest &request, qint64 hitId,
                                    QHttpServerResponder &&responder)
{
    const QString path = m_source ? m_source->recordingFile(hitId) : QString();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return sendAnswer(std::move(responder), Status::NotFound);
    const qint64 size = file.size();
    const ByteRange range = parseByteRange(headerValue(request, "Range"), size, mostRangeBytes);
    if (range.kind == ByteRange::Unsatisfiable)
        return sendAnswer(std::move(responder), Status::RequestRangeNotSatisfiable, {}, {},
                          {{"Content-Range", "bytes */" + QByteArray::number(size)}});
    if (range.kind == ByteRange::Whole)
        return sendAnswer(std::move(responder), Status::Ok, "audio/wav", file.readAll(),
                          {{"Accept-Ranges", "bytes"}});
    file.seek(range.first);
    sendAnswer(
        std::move(responder), Status::PartialContent, "audio/wav",
        file.read(range.last - range.first + 1),
        {{"Accept-Ranges", "bytes"},
         {"Content-Range", "bytes " + QByteArray::number(range.first) + '-' +
                               QByteArray::number(range.last) + '/' + QByteArray::number(size)}});
}

bool WebRemoteServer::hasSession(const QByteArray &cookieHeader) const
{
    const QByteArray token = cookieValue(cookieHeader, sessionCookie);
    bool found = false;
    for (const QByteArray &session : m_sessions)
        found = sameBytes(token, session) || found;
    return found;
}

bool WebRemoteServer::isOwnHost(const QByteArray &host) const
{
    const QByteArray ownPort = QByteArray::number(port());
    if (!m_options.allowOthers)
        return host == "127.0.0.1:" + ownPort || host == "localhost:" + ownPort;
    const qsizetype colon = host.lastIndexOf(':');
    const bool hasPort = colon > 0 && !host.endsWith(']');
    return !host.isEmpty() && (hasPort ? host.mid(colon + 1) == ownPort : port() == 80);
}

bool WebRemoteServer::mayUpgrade(const QByteArray &host, const QByteArray &origin,
                                 const QByteArray &cookieHeader) const
{
    return isOwnHost(host) && origin == "http://" + host &&
           (!m_options.allowOthers || hasSession(cookieHeader));
}

void WebRemoteServer::takeWebSockets()
{
    while (m_http && m_http->hasPendingWebSocketConnections()) {
        QWebSocket *socket = m_http->nextPendingWebSocketConnection().release();
        socket->setParent(this);
        const QNetworkRequest request = socket->request();
        const bool allowed = socket->requestUrl().path() == QLatin1String("/ws") &&
                             mayUpgrade(request.rawHeader("Host"), socket->origin().toLatin1(),
                                        request.rawHeader("Cookie"));
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { dropSocket(socket); });
        if (!allowed) {
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
            continue;
        }
        socket->setMaxAllowedIncomingMessageSize(maxRequestBytes);
        socket->setMaxAllowedIncomingFrameSize(maxRequestBytes);
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket](const QString &text) { messageFrom(socket, text); });
        m_sockets.append(socket);
        // The screen is gathered only while pages are connected: the one
        // kept may be old.
        Q_EMIT screenWanted();
        socket->sendTextMessage(QString::fromUtf8(screenMessage(m_screen)));
        socket->sendTextMessage(QString::fromUtf8(hitsMessage(recentHits({}, keptHits))));
    }
}

void WebRemoteServer::messageFrom(QWebSocket *socket, const QString &text)
{
    const PageMessage m = readPageMessage(text);
    switch (m.kind) {
    case PageMessage::Key:
        Q_EMIT keyPressed(m.key);
        break;
    case PageMessage::Volume:
        Q_EMIT volumeChosen(m.level);
        break;
    case PageMessage::Squelch:
        Q_EMIT squelchChosen(m.level);
        break;
    case PageMessage::Listen:
        setListening(socket, m.on);
        break;
    case PageMessage::Nothing:
        break;
    }
}

void WebRemoteServer::setListening(QWebSocket *socket, bool on)
{
    const qsizetype before = m_listeners.size();
    if (!on) {
        m_listeners.removeAll(socket);
    } else if (!m_listeners.contains(socket)) {
        m_listeners.append(socket);
        socket->sendTextMessage(QString::fromUtf8(audioMessage(m_audioRate, m_audioChannels)));
    }
    if (m_listeners.size() != before)
        Q_EMIT listenersChanged(int(m_listeners.size()));
}

void WebRemoteServer::dropSocket(QWebSocket *socket)
{
    m_sockets.removeAll(socket);
    socket->deleteLater();
    if (m_listeners.removeAll(socket) > 0)
        Q_EMIT listenersChanged(int(m_listeners.size()));
}

void WebRemoteServer::sendToAll(const QByteArray &text)
{
    const QString frame = QString::fromUtf8(text);
    const QList<QWebSocket *> sockets = m_sockets;
    for (QWebSocket *socket : sockets) {
        // A page this far behind is gone (a phone asleep); it connects
        // again when it wakes.
        if (socket->bytesToWrite() > mostBacklog)
            socket->abort();
        else
            socket->sendTextMessage(frame);
    }
}

QList<WebHit> WebRemoteServer::recentHits(const QString &words, int limit) const
{
    const QStringList wanted = filterWords(words);
    QList<WebHit> result;
    for (auto it = m_hits.crbegin(); it != m_hits.crend() && result.size() < limit; ++it) {
        if (hitHasWords(*it, wanted))
            result.append(*it);
    }
    return result;
}

// The module's entry point, found by loadWebRemote().
extern "C" Q_DECL_EXPORT WebRemote *tollvane_web_remote()
{
    return new WebRemoteServer;
}
