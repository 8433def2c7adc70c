#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// The web remote's server: one port for the page, its API and its WebSocket.
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

struct WebScreenState
{
    QStringList lines; // six lines, top to bottom, as shown (may be empty strings)
    int signal = 0;    // 0..5
    bool operator==(const WebScreenState &) const = default;
};

struct WebHit
{
    qint64 id = -1; // the hit database's id of the hit, -1 if not stored yet
    QString start, end, system, group, channel, frequency, code; // as the log shows them
    QString date;           // the run's date as the log's date column shows it; may be empty
    bool recording = false; // a recording is kept and can be fetched by id
};

// The hit database as the page reads it (read-only). Asked on the server's
// thread while a request waits.
class WebHitSource
{
public:
    virtual ~WebHitSource() = default;
    virtual QList<WebHit> find(const QString &words, int limit) = 0; // newest first
    virtual QString recordingFile(qint64 hitId) = 0;                 // "" if none/deleted
};

struct WebRemoteOptions
{
    quint16 port = 8396;      // 0: any free port (tests)
    bool allowOthers = false; // false: listen on 127.0.0.1 only, no log-in asked
    QByteArray passwordHash;  // as hashPassword() made it; required when allowOthers
};

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class QTcpServer;
class QWebSocket;
class LoginLimit;

class WebRemoteServer : public QObject
{
    Q_OBJECT
public:
    explicit WebRemoteServer(QObject *parent = nullptr);
    ~WebRemoteServer() override;

    // False, and why in error, when the port cannot be had or other
    // computers are allowed without a password.
    bool start(const WebRemoteOptions &options, QString *error);
    void stop();
    bool isListening() const;
    quint16 port() const;
    QStringList addresses() const;                // "http://127.0.0.1:8396/", or each LAN address
    void setHitSource(WebHitSource *source);      // may be null: then only this run's hits
    void setScreen(const WebScreenState &screen); // pushed to every page if it changed
    void addHit(const WebHit &hit);               // kept in the last 100, pushed to every page
    void setAudioFormat(int sampleRate, int channels); // 16-bit signed little-endian PCM
    void sendAudio(const QByteArray &pcm);             // to the pages that listen
    int listenerCount() const;
    // Whether a page is connected: while none is, the screen need not be
    // gathered at all (screenWanted asks for it when one connects).
    bool hasPages() const { return !m_sockets.isEmpty(); }

Q_SIGNALS:
    void keyPressed(const QString &keyName); // "key_1", "key_scan", ... as the keypad names them
    void volumeChosen(int level);            // 0..15
    void squelchChosen(int level);           // 0..15
    void listenersChanged(int count);        // 0 when the last listener left
    void screenWanted();                     // a page connected: setScreen() now, please

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
