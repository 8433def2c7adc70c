#include "web/webremoteserver.h"

#include "log/historyfilter.h"
#include "web/byterange.h"
#include "web/loginlimit.h"
#include "web/requestsizeguard.h"
#include "web/webpassword.h"

#include <QFile>
#include <QHttpServer>
#include <QHttpServerRouterRule>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QWebSocket>

#include <chrono>

namespace {

using Status = QHttpServerResponder::StatusCode;
using Headers = QList<std::pair<QByteArray, QByteArray>>;

constexpr qint64 maxRequestBytes = 64 * 1024;
// What is read and thrown away of a refused body before the connection is
// closed, so that the browser reads the refusal rather than a reset.
constexpr qint64 mostDrained = 4 * 1024 * 1024;
constexpr qint64 mostRangeBytes = 4 * 1024 * 1024;
constexpr qint64 mostAudioBacklog = 1024 * 1024;
constexpr int keptHits = 100;
constexpr int mostHits = 500;
constexpr int keptSessions = 32;
constexpr int logInsPerMinute = 5;
constexpr int highestLevel = 15;
constexpr char sessionCookie[] = "tollvane_session";
constexpr char policy[] = "default-src 'self'";

const QByteArray refusedTooLarge = QByteArrayLiteral(
    "HTTP/1.1 413 Payload Too Large\r\nContent-Security-Policy: default-src 'self'\r\n"
    "Content-Length: 0\r\nConnection: close\r\n\r\n");

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

// Measures each request as its bytes arrive, before the HTTP server reads
// them: one too large is answered 413 here and never reaches it.
struct ConnectionWatch
{
    RequestSizeGuard guard{maxRequestBytes};
    qint64 drainLeft = -1; // after a refusal
};

void watchBytes(QTcpSocket *socket, ConnectionWatch &watch)
{
    if (watch.drainLeft < 0) {
        if (watch.guard.feed(socket->peek(socket->bytesAvailable())))
            return;
        watch.drainLeft = watch.guard.bodyLeft(mostDrained);
        socket->write(refusedTooLarge);
    }
    // What the server had begun to read of it is let go with the rest.
    if (socket->isTransactionStarted())
        socket->commitTransaction();
    watch.drainLeft -= socket->readAll().size();
    if (watch.drainLeft <= 0)
        socket->disconnectFromHost();
}

class GuardedTcpServer : public QTcpServer
{
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr handle) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(handle)) {
            delete socket;
            return;
        }
        // Connected before the HTTP server's own, so it sees the bytes first;
        // a WebSocket taken over drops it with the server's.
        auto watch = std::make_shared<ConnectionWatch>();
        connect(socket, &QTcpSocket::readyRead, socket, [socket, watch] {
            watchBytes(socket, *watch);
        });
        addPendingConnection(socket);
    }
};

QByteArray headerValue(const QHttpServerRequest &request, const QByteArray &name)
{
    const auto headers = request.headers();
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

// The HTTP server upgrades a request to a WebSocket only when a rule takes
// it; this one takes only those the server allows, and the server closes
// the connection of any other before it is upgraded.
class WebSocketRule : public QHttpServerRouterRule
{
public:
    using Check = std::function<bool(const QHttpServerRequest &)>;
    WebSocketRule(const QString &path, Check allowed, RouterHandler handler)
        : QHttpServerRouterRule(path, QHttpServerRequest::Method::Get, std::move(handler)),
          m_allowed(std::move(allowed))
    {
    }

protected:
    bool matches(const QHttpServerRequest &request, QRegularExpressionMatch *match) const override
    {
        return headerValue(request, "Upgrade").compare("websocket", Qt::CaseInsensitive) == 0 &&
               QHttpServerRouterRule::matches(request, match) && m_allowed(request);
    }

private:
    Check m_allowed;
};

QByteArray cookieValue(const QByteArray &cookieHeader, const QByteArray &name)
{
    for (const QByteArray &part : cookieHeader.split(';')) {
        const QByteArray cookie = part.trimmed();
        if (cookie.startsWith(name + '='))
            return cookie.mid(name.size() + 1);
    }
    return {};
}

QByteArray newToken()
{
    quint32 words[8];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char *>(words), sizeof(words)).toHex();
}

// A query or form value; "+" stands for a space.
QString formValue(const QByteArray &encoded, const QString &name)
{
    QByteArray text = encoded;
    text.replace('+', "%20");
    return QUrlQuery(QString::fromLatin1(text)).queryItemValue(name, QUrl::FullyDecoded);
}

void send(QHttpServerResponder &&responder, Status status, const QByteArray &type = {},
          const QByteArray &body = {}, const Headers &headers = {})
{
    QHttpServerResponse response(type, body, status);
    response.setHeader("Content-Security-Policy", policy);
    response.setHeader("X-Content-Type-Options", "nosniff");
    response.setHeader("Cache-Control", "no-store");
    for (const auto &[name, value] : headers)
        response.setHeader(name, value);
    response.write(std::move(responder));
}

QByteArray logInPage()
{
    QFile file(QStringLiteral(":/web/login.html"));
    if (file.open(QIODevice::ReadOnly))
        return file.readAll();
    return plainLogIn;
}

void sendLogInPage(QHttpServerResponder &&responder, Status status)
{
    send(std::move(responder), status, "text/html; charset=utf-8", logInPage());
}

QJsonObject hitJson(const WebHit &hit)
{
    return {{QStringLiteral("id"), hit.id},
            {QStringLiteral("start"), hit.start},
            {QStringLiteral("end"), hit.end},
            {QStringLiteral("system"), hit.system},
            {QStringLiteral("group"), hit.group},
            {QStringLiteral("channel"), hit.channel},
            {QStringLiteral("frequency"), hit.frequency},
            {QStringLiteral("code"), hit.code},
            {QStringLiteral("recording"), hit.recording},
            {QStringLiteral("date"), hit.date}};
}

QJsonArray hitsJson(const QList<WebHit> &hits)
{
    QJsonArray array;
    for (const WebHit &hit : hits)
        array.append(hitJson(hit));
    return array;
}

QByteArray message(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray screenMessage(const WebScreenState &screen)
{
    return message({{QStringLiteral("t"), QStringLiteral("screen")},
                    {QStringLiteral("lines"), QJsonArray::fromStringList(screen.lines)},
                    {QStringLiteral("signal"), screen.signal}});
}

bool hitHasWords(const WebHit &hit, const QStringList &words)
{
    const QString text = QStringList{hit.date, hit.start, hit.end, hit.system, hit.group,
                                     hit.channel, hit.frequency, hit.code}
                             .join(u'\n');
    for (const QString &word : words) {
        if (!text.contains(word, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

std::optional<int> level(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double v = value.toDouble();
    if (v < 0 || v > highestLevel || v != int(v))
        return std::nullopt;
    return int(v);
}

} // namespace

WebRemoteServer::WebRemoteServer(QObject *parent)
    : QObject(parent), m_loginLimit(std::make_unique<LoginLimit>(logInsPerMinute, 60000))
{
}

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
    auto *tcp = new GuardedTcpServer(http.get());
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
        sendToAll(message({{QStringLiteral("t"), QStringLiteral("hit")},
                           {QStringLiteral("hit"), hitJson(hit)}}));
}

void WebRemoteServer::setAudioFormat(int sampleRate, int channels)
{
    if (sampleRate == m_audioRate && channels == m_audioChannels)
        return;
    m_audioRate = sampleRate;
    m_audioChannels = channels;
    for (QWebSocket *socket : std::as_const(m_listeners))
        socket->sendTextMessage(audioMessage());
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
        return send(std::move(responder), Status::PayloadTooLarge);
    // On this machine only, a page of another name (one that resolves to
    // 127.0.0.1) is not served.
    if (!m_options.allowOthers && !isOwnHost(headerValue(request, "Host")))
        return send(std::move(responder), Status::Forbidden);
    const QString path = request.url().path(QUrl::FullyEncoded);
    if (path == QLatin1String("/login"))
        return logIn(request, std::move(responder));
    if (path != QLatin1String("/login.css") && m_options.allowOthers &&
        !hasSession(headerValue(request, "Cookie")))
        return sendLogInPage(std::move(responder), Status::Unauthorized);
    if (request.method() != QHttpServerRequest::Method::Get)
        return send(std::move(responder), Status::MethodNotAllowed, {}, {}, {{"Allow", "GET"}});
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
            return send(std::move(responder), Status::Ok, page.type, file.readAll());
    }
    send(std::move(responder), Status::NotFound);
}

void WebRemoteServer::logIn(const QHttpServerRequest &request, QHttpServerResponder &&responder)
{
    if (!m_options.allowOthers)
        return send(std::move(responder), Status::SeeOther, {}, {}, {{"Location", "/"}});
    if (request.method() == QHttpServerRequest::Method::Get)
        return sendLogInPage(std::move(responder), Status::Ok);
    if (request.method() != QHttpServerRequest::Method::Post)
        return send(std::move(responder), Status::MethodNotAllowed, {}, {},
                    {{"Allow", "GET, POST"}});
    const QString address = request.remoteAddress().toString();
    const qint64 now = nowMs();
    if (!m_loginLimit->allows(address, now))
        return send(std::move(responder), Status::TooManyRequests, {}, {},
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
    send(std::move(responder), Status::SeeOther, {}, {},
         {{"Location", "/"},
          {"Set-Cookie", QByteArray(sessionCookie) + '=' + token +
                             "; HttpOnly; SameSite=Strict; Path=/"}});
}

void WebRemoteServer::sendHits(const QHttpServerRequest &request,
                               QHttpServerResponder &&responder)
{
    const QByteArray query = request.url().query(QUrl::FullyEncoded).toLatin1();
    bool ok = false;
    int limit = formValue(query, QStringLiteral("limit")).toInt(&ok);
    limit = ok ? qBound(1, limit, mostHits) : keptHits;
    const QString words = formValue(query, QStringLiteral("find"));
    const QList<WebHit> hits = m_source ? m_source->find(words, limit) : recentHits(words, limit);
    send(std::move(responder), Status::Ok, "application/json",
         message({{QStringLiteral("hits"), hitsJson(hits)}}));
}

void WebRemoteServer::sendRecording(const QHttpServerRequest &request, qint64 hitId,
                                    QHttpServerResponder &&responder)
{
    const QString path = m_source ? m_source->recordingFile(hitId) : QString();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return send(std::move(responder), Status::NotFound);
    const qint64 size = file.size();
    const ByteRange range = parseByteRange(headerValue(request, "Range"), size, mostRangeBytes);
    if (range.kind == ByteRange::Unsatisfiable)
        return send(std::move(responder), Status::RequestRangeNotSatisfiable, {}, {},
                    {{"Content-Range", "bytes */" + QByteArray::number(size)}});
    if (range.kind == ByteRange::Whole)
        return send(std::move(responder), Status::Ok, "audio/wav", file.readAll(),
                    {{"Accept-Ranges", "bytes"}});
    file.seek(range.first);
    send(std::move(responder), Status::PartialContent, "audio/wav",
         file.read(range.last - range.first + 1),
         {{"Accept-Ranges", "bytes"},
          {"Content-Range", "bytes " + QByteArray::number(range.first) + '-' +
                                QByteArray::number(range.last) + '/' +
                                QByteArray::number(size)}});
}

bool WebRemoteServer::hasSession(const QByteArray &cookieHeader) const
{
    const QByteArray token = cookieValue(cookieHeader, sessionCookie);
    return !token.isEmpty() && m_sessions.contains(token);
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
        socket->sendTextMessage(QString::fromUtf8(screenMessage(m_screen)));
        socket->sendTextMessage(QString::fromUtf8(
            message({{QStringLiteral("t"), QStringLiteral("hits")},
                     {QStringLiteral("hits"), hitsJson(recentHits({}, keptHits))}})));
    }
}

void WebRemoteServer::messageFrom(QWebSocket *socket, const QString &text)
{
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    const QString type = object.value(QStringLiteral("t")).toString();
    if (type == QLatin1String("key")) {
        static const QRegularExpression keyName(QStringLiteral("^key_[a-z0-9_]{1,24}$"));
        const QString key = object.value(QStringLiteral("key")).toString();
        if (keyName.match(key).hasMatch())
            Q_EMIT keyPressed(key);
    } else if (type == QLatin1String("vol") || type == QLatin1String("sql")) {
        if (const auto v = level(object.value(QStringLiteral("v")))) {
            if (type == QLatin1String("vol"))
                Q_EMIT volumeChosen(*v);
            else
                Q_EMIT squelchChosen(*v);
        }
    } else if (type == QLatin1String("listen")) {
        setListening(socket, object.value(QStringLiteral("on")).toBool());
    }
}

void WebRemoteServer::setListening(QWebSocket *socket, bool on)
{
    const qsizetype before = m_listeners.size();
    if (!on) {
        m_listeners.removeAll(socket);
    } else if (!m_listeners.contains(socket)) {
        m_listeners.append(socket);
        socket->sendTextMessage(audioMessage());
    }
    if (m_listeners.size() != before)
        Q_EMIT listenersChanged(int(m_listeners.size()));
}

QString WebRemoteServer::audioMessage() const
{
    return QString::fromUtf8(message({{QStringLiteral("t"), QStringLiteral("audio")},
                                      {QStringLiteral("rate"), m_audioRate},
                                      {QStringLiteral("channels"), m_audioChannels}}));
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
    for (QWebSocket *socket : std::as_const(m_sockets))
        socket->sendTextMessage(frame);
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
