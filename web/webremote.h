#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// The web remote: a server for a browser on this machine or the home
// network (web/server/webremoteserver.h tells what it serves). It lives in a
// module of its own that is loaded the first time the web remote is turned
// on, so a start-up without it never loads the network libraries.

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

class WebRemote : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // False, and why in error, when the port cannot be had or other
    // computers are allowed without a password.
    virtual bool start(const WebRemoteOptions &options, QString *error) = 0;
    virtual void stop() = 0;
    virtual bool isListening() const = 0;
    virtual quint16 port() const = 0;
    // "http://127.0.0.1:8396/", or each address on the home network.
    virtual QStringList addresses() const = 0;
    // The first address as a QR code for a phone; null while not listening.
    virtual QImage addressCode() const = 0;
    virtual void setHitSource(WebHitSource *source) = 0; // may be null: then only this run's hits
    virtual void setScreen(const WebScreenState &screen) = 0; // pushed to every page if it changed
    virtual void addHit(const WebHit &hit) = 0; // kept in the last 100, pushed to every page
    virtual void setAudioFormat(int sampleRate, int channels) = 0; // 16-bit signed LE PCM
    virtual void sendAudio(const QByteArray &pcm) = 0;             // to the pages that listen
    virtual int listenerCount() const = 0;
    // Whether a page is connected: while none is, the screen need not be
    // gathered at all (screenWanted asks for it when one connects).
    virtual bool hasPages() const = 0;

Q_SIGNALS:
    void keyPressed(const QString &keyName); // "key_1", "key_scan", ... as the keypad names them
    void volumeChosen(int level);            // 0..15
    void squelchChosen(int level);           // 0..15
    void listenersChanged(int count);        // 0 when the last listener left
    void screenWanted();                     // a page connected: setScreen() now, please
};

// Where the program finds its web remote module: beside the program's own
// folder, ../<libdir>/tollvane/.
QString webRemoteModulePath();

// Loads the web remote module from that file. Null when it cannot be
// loaded; *error then says why.
std::unique_ptr<WebRemote> loadWebRemote(const QString &path = webRemoteModulePath(),
                                         QString *error = nullptr);

// The name of the module's entry point: a function taking nothing and
// returning a new WebRemote.
inline constexpr char webRemoteEntry[] = "tollvane_web_remote";
