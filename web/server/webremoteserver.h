#pragma once

#include "web/webremote.h"

#include <memory>

// The web remote's server, in the module the program loads when the web
// remote is first turned on: one port for the page, its API and its WebSocket.
//
// HTTP (every response carries "Content-Security-Policy: default-src 'self'"):
//   GET  /login              the log-in page (:/web/login.html; /login.css from
//                            :/web/login.css, if there is one, also needs no session)
//   POST /login              password=... (form encoded): 303 to / with the cookie
//                            "tollvane_session=...; HttpOnly; SameSite=Strict; Path=/";
//                            a wrong password 401 with the log-in page; more than
//                            5 failed log-ins a minute from one address: 429
//   GET  /                   :/web/index.html; /app.js and /app.css from :/web/
//   GET  /api/hits?find=WORDS&limit=N   {"hits":[{id,start,end,system,group,channel,
//                            frequency,code,recording,date}]} newest first (N at most 500,
//                            100 when absent); without a source this run's last 100
//   GET  /recordings/ID      the WAV of hit ID (audio/wav); "Range: bytes=" gives 206
//   GET  /ws                 the WebSocket; its Origin must be this server's own
//                            host and port, and its session cookie good
// With other computers allowed, everything but /login answers 401 (with the
// log-in page) without a session; without, the server listens on 127.0.0.1
// only, asks no log-in (/login is 303 to /) and answers 403 to a request for
// any host but 127.0.0.1 or localhost with its port. Requests over 64 KiB are
// refused with 413 as soon as their head says so. An unknown path is 404; a
// method other than GET (POST for /login) 405; a range past the end 416. A
// WebSocket upgrade that is not allowed is closed before it is upgraded.
// Sessions last until the server stops (or the 33rd log-in replaces the oldest).
//
// WebSocket (JSON text frames):
//   server -> page  {"t":"screen","lines":[..six..],"signal":3}  at connect and on change
//                   {"t":"hits","hits":[...]}  at connect, the last 100 given to addHit,
//                                              newest first
//                   {"t":"hit","hit":{...}}    each new hit
//                   {"t":"audio","rate":22050,"channels":1}  after a page says listen,
//                   then binary frames of 16-bit little-endian PCM
//   page -> server  {"t":"key","key":"key_scan"}  {"t":"vol","v":7}  {"t":"sql","v":3}
//                   {"t":"listen","on":true}  {"t":"listen","on":false}

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class QTcpServer;
class QWebSocket;
class LoginLimit;

class WebRemoteServer : public WebRemote
{
    Q_OBJECT
public:
    explicit WebRemoteServer(QObject *parent = nullptr);
    ~WebRemoteServer() override;

    bool start(const WebRemoteOptions &options, QString *error) override;
    void stop() override;
    bool isListening() const override;
    quint16 port() const override;
    QStringList addresses() const override;
    QImage addressCode() const override;
    void setHitSource(WebHitSource *source) override;
    void setScreen(const WebScreenState &screen) override;
    void addHit(const WebHit &hit) override;
    void setAudioFormat(int sampleRate, int channels) override;
    void sendAudio(const QByteArray &pcm) override;
    int listenerCount() const override;
    bool hasPages() const override { return !m_sockets.isEmpty(); }

private:
    void answer(const QHttpServerRequest &request, QHttpServerResponder &&responder);
    void logIn(const QHttpServerRequest &request, QHttpServerResponder &&responder);
    void sendHits(const QHttpServerRequest &request, QHttpServerResponder &&responder);
    void sendRecording(const QHttpServerRequest &request, qint64 hitId,
                       QHttpServerResponder &&responder);
    bool hasSession(const QByteArray &cookieHeader) const;
    bool isOwnHost(const QByteArray &host) const;
    bool mayUpgrade(const QByteArray &host, const QByteArray &origin,
                    const QByteArray &cookieHeader) const;
    void takeWebSockets();
    void messageFrom(QWebSocket *socket, const QString &message);
    void dropSocket(QWebSocket *socket);
    void setListening(QWebSocket *socket, bool on);
    void sendToAll(const QByteArray &message);
    QList<WebHit> recentHits(const QString &words, int limit) const;

    std::unique_ptr<QHttpServer> m_http;
    QTcpServer *m_tcp = nullptr; // owned by m_http
    WebRemoteOptions m_options;
    WebHitSource *m_source = nullptr;
    WebScreenState m_screen;
    QList<WebHit> m_hits;            // this run's last hits, oldest first
    QList<QWebSocket *> m_sockets;   // the pages connected
    QList<QWebSocket *> m_listeners; // those of them that listen
    QList<QByteArray> m_sessions;    // the tokens of the browsers logged in, oldest first
    std::unique_ptr<LoginLimit> m_loginLimit;
    int m_audioRate = 22050;
    int m_audioChannels = 1;
};
