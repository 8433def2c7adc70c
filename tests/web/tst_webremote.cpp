#include "store/hitstore.h"
#include "web/hitlookup.h"
#include "web/server/webremoteserver.h"
#include "web/webpassword.h"
#include "web/webremotesettings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QPasswordDigestor>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

namespace {

const QString password = QStringLiteral("sofa radio");

QByteArray fileBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i)
        bytes.append(char(i % 251));
    return bytes;
}

WebHit hit(qint64 id)
{
    WebHit hit;
    hit.id = id;
    hit.start = QStringLiteral("8:05:00 PM");
    return hit;
}

class OneRecording : public WebHitSource
{
public:
    QString file;
    QList<WebHit> find(const QString &, int) override { return {hit(7)}; }
    QString recordingFile(qint64 hitId) override { return hitId == 7 ? file : QString(); }
};

struct Answer
{
    int status = 0;
    QByteArray body;
    QNetworkReply *reply = nullptr;
};

} // namespace

class TestWebRemote : public QObject
{
    Q_OBJECT

private:
    void startServer()
    {
        m_server = std::make_unique<WebRemoteServer>();
        m_source.file = m_dir.filePath(QStringLiteral("hit.wav"));
        m_server->setHitSource(&m_source);
        QString error;
        QVERIFY2(m_server->start({0, true, m_hash}, &error), qPrintable(error));
        m_manager = std::make_unique<QNetworkAccessManager>();
    }
    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server->port()).arg(path));
    }
    void ask(const QString &path, Answer *answer, const QByteArray &form = {},
             const QByteArray &range = {})
    {
        QNetworkRequest request(url(path));
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::ManualRedirectPolicy);
        if (!range.isEmpty())
            request.setRawHeader("Range", range);
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
        QNetworkReply *reply =
            form.isNull() ? m_manager->get(request) : m_manager->post(request, form);
        reply->setParent(this);
        QTRY_VERIFY(reply->isFinished());
        answer->status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        answer->body = reply->readAll();
        answer->reply = reply;
        QCOMPARE(reply->rawHeader("Content-Security-Policy"), QByteArray("default-src 'self'"));
    }
    // A request as bytes, for what a browser would not send; the answer's head.
    void askRaw(const QByteArray &request, QByteArray *head)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_server->port());
        QVERIFY(socket.waitForConnected(5000));
        socket.write(request);
        QByteArray answer;
        QTRY_VERIFY((answer += socket.readAll()).contains("\r\n\r\n"));
        *head = answer.left(answer.indexOf("\r\n\r\n"));
        QVERIFY(head->contains("\r\nContent-Security-Policy: default-src 'self'"));
    }
    void logIn()
    {
        Answer answer;
        ask(QStringLiteral("/login"), &answer, "password=sofa+radio");
        QCOMPARE(answer.status, 303);
        const QByteArray cookie = answer.reply->rawHeader("Set-Cookie");
        QVERIFY(cookie.contains("; HttpOnly; SameSite=Strict; Path=/"));
        m_cookie = cookie.left(cookie.indexOf(';'));
    }
    QByteArray get(const QString &path) const
    {
        return "GET " + path.toLatin1() +
               " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(m_server->port()) +
               "\r\nCookie: " + m_cookie + "\r\n\r\n";
    }

    QTemporaryDir m_dir;
    QByteArray m_hash;
    QByteArray m_cookie;
    OneRecording m_source;
    std::unique_ptr<WebRemoteServer> m_server;
    std::unique_ptr<QNetworkAccessManager> m_manager;

private Q_SLOTS:
    void initTestCase()
    {
        m_hash = hashPassword(password);
        QFile file(m_dir.filePath(QStringLiteral("hit.wav")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fileBytes());
    }
    void init() { startServer(); }
    void cleanup()
    {
        m_manager.reset();
        m_server.reset();
        m_cookie.clear();
    }

    void passwordHash_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("matches");
        const QByteArray hash = hashPassword(password);
        QVERIFY(hashPassword(password) != hash); // salted
        QByteArray flipped = hash;
        flipped.back() = flipped.back() == '0' ? '1' : '0';
        QTest::newRow("right") << password << hash << true;
        QTest::newRow("wrong") << QStringLiteral("sofa radiO") << hash << false;
        QTest::newRow("empty stored") << password << QByteArray() << false;
        QTest::newRow("hash changed") << password << flipped << false;
        QTest::newRow("hash cut") << password << hash.chopped(2) << false;
        QTest::newRow("no salt") << password << QByteArray(hash).replace(hash.split('$')[2], "")
                                 << false;
        QTest::newRow("other scheme")
            << password << QByteArray(hash).replace("sha256", "sha1") << false;
        QTest::newRow("no iterations")
            << password << QByteArray(hash).replace(hash.split('$')[1], "0") << false;
        // A hash of Qt's own PBKDF2, as the settings of earlier versions keep it.
        const QByteArray salt = QByteArray::fromHex("00112233445566778899aabbccddeeff");
        const QByteArray qtKey = QPasswordDigestor::deriveKeyPbkdf2(
            QCryptographicHash::Sha256, password.toUtf8(), salt, 1000, 32);
        QTest::newRow("made by Qt")
            << password << "pbkdf2-sha256$1000$" + salt.toHex() + '$' + qtKey.toHex() << true;
    }
    void passwordHash()
    {
        QFETCH(QString, given);
        QFETCH(QByteArray, stored);
        QFETCH(bool, matches);
        QCOMPARE(passwordMatches(given, stored), matches);
    }

    void settingsFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("allowOthers");
        QTest::addColumn<QByteArray>("hash");
        QTest::newRow("all") << QByteArray("1\r\n9000\r\n1\r\n\"pbkdf2-sha256$9$ab$cd\"\r\n")
                             << true << 9000 << true << QByteArray("pbkdf2-sha256$9$ab$cd");
        QTest::newRow("empty") << QByteArray() << false << 8396 << false << QByteArray();
        QTest::newRow("bad values") << QByteArray("2\r\n70000\r\nyes\r\n\"secret\"\r\n") << false
                                    << 8396 << false << QByteArray();
        QTest::newRow("others without hash")
            << QByteArray("1\r\n8396\r\n1\r\n\"\"\r\n") << true << 8396 << false << QByteArray();
    }
    void settingsFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, enabled);
        QFETCH(int, port);
        QFETCH(bool, allowOthers);
        QFETCH(QByteArray, hash);
        const WebRemoteSettings read = readWebRemoteSettings(file);
        QCOMPARE(read.enabled, enabled);
        QCOMPARE(read.port, port);
        QCOMPARE(read.allowOthers, allowOthers);
        QCOMPARE(read.passwordHash, hash);
        QCOMPARE(readWebRemoteSettings(writeWebRemoteSettings(read)), read);
    }

    void nothingButLogInWithoutSession_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        for (const char *path : {"/", "/app.js", "/app.css", "/api/hits", "/recordings/7", "/ws",
                                 "/nothing", "/login.html"})
            QTest::newRow(path) << QString::fromLatin1(path) << 401;
        QTest::newRow("/login") << QStringLiteral("/login") << 200;
    }
    void nothingButLogInWithoutSession()
    {
        QFETCH(QString, path);
        QFETCH(int, status);
        Answer answer;
        ask(path, &answer);
        QCOMPARE(answer.status, status);
        QVERIFY(!answer.body.contains("\"hits\""));
    }

    void logInLimit()
    {
        for (int attempt = 1; attempt <= 5; ++attempt) {
            Answer answer;
            ask(QStringLiteral("/login"), &answer, "password=sofa+radiO");
            QCOMPARE(answer.status, 401);
            QVERIFY(answer.reply->rawHeader("Set-Cookie").isEmpty());
        }
        Answer answer;
        ask(QStringLiteral("/login"), &answer, "password=sofa+radio");
        QCOMPARE(answer.status, 429);
        QVERIFY(answer.reply->rawHeader("Set-Cookie").isEmpty());
    }

    void hitsAndRecordingRange_data()
    {
        QTest::addColumn<QByteArray>("range");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("length");
        QTest::newRow("none") << QByteArray() << 200 << 0 << 1000;
        QTest::newRow("middle") << QByteArray("bytes=100-199") << 206 << 100 << 100;
        QTest::newRow("open") << QByteArray("bytes=900-") << 206 << 900 << 100;
        QTest::newRow("last") << QByteArray("bytes=-10") << 206 << 990 << 10;
        QTest::newRow("past the end") << QByteArray("bytes=1000-") << 416 << 0 << 0;
    }
    void hitsAndRecordingRange()
    {
        QFETCH(QByteArray, range);
        QFETCH(int, first);
        QFETCH(int, length);
        QFETCH(int, status);
        logIn();
        Answer hits;
        ask(QStringLiteral("/api/hits?find=harbor&limit=5"), &hits);
        QCOMPARE(hits.status, 200);
        const QJsonArray list = QJsonDocument::fromJson(hits.body).object()["hits"].toArray();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0]["id"].toInt(), 7);
        Answer answer;
        ask(QStringLiteral("/recordings/7"), &answer, QByteArray(), range);
        QCOMPARE(answer.status, status);
        QCOMPARE(answer.body, fileBytes().mid(first, length));
        if (answer.status == 206) {
            QCOMPARE(
                answer.reply->rawHeader("Content-Range"),
                QStringLiteral("bytes %1-%2/1000").arg(first).arg(first + length - 1).toLatin1());
        }
        Answer other;
        ask(QStringLiteral("/recordings/8"), &other);
        QCOMPARE(other.status, 404);
    }

    void pathsNeverReachFiles_data()
    {
        QTest::addColumn<QString>("path");
        const QString file = m_dir.filePath(QStringLiteral("hit.wav"));
        QTest::newRow("dots") << QStringLiteral("/../../../..") + file;
        QTest::newRow("encoded dots") << QStringLiteral("/%2e%2e/%2e%2e/%2E%2E/..") + file;
        QTest::newRow("after an id") << QStringLiteral("/recordings/7/../../..") + file;
        QTest::newRow("encoded slashes")
            << QStringLiteral("/recordings/..%2f..%2f..") + QString(file).replace('/', "%2f");
        QTest::newRow("file path") << file;
    }
    void pathsNeverReachFiles()
    {
        QFETCH(QString, path);
        logIn();
        QByteArray head;
        askRaw(get(path), &head);
        QVERIFY2(head.startsWith("HTTP/1.1 404"), head.constData());
    }

    void largeRequestsRefused_data()
    {
        QTest::addColumn<QByteArray>("request");
        const QByteArray mebibyte(1 << 20, 'x');
        QTest::newRow("1 MiB body")
            << "POST /login HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " +
                   QByteArray::number(mebibyte.size()) + "\r\n\r\n" + mebibyte;
        QTest::newRow("1 MiB declared, not sent") << QByteArray(
            "POST /login HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 1048576\r\n\r\n");
        QTest::newRow("1 MiB head") << "GET / HTTP/1.1\r\nX-Filler: " + mebibyte + "\r\n\r\n";
        QTest::newRow("chunked") << QByteArray("POST /login HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                               "Transfer-Encoding: chunked\r\n\r\n10\r\n");
    }
    void largeRequestsRefused()
    {
        QFETCH(QByteArray, request);
        QByteArray head;
        askRaw(request, &head);
        QVERIFY2(head.startsWith("HTTP/1.1 413"), head.constData());
        // The server still answers the next browser.
        Answer answer;
        ask(QStringLiteral("/login"), &answer);
        QCOMPARE(answer.status, 200);
    }

    void onThisMachineOnly()
    {
        QString error;
        QVERIFY(!m_server->start({0, true, {}}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(m_server->start({0, false, {}}, &error));
        QCOMPARE(m_server->addresses(),
                 QStringList{QStringLiteral("http://127.0.0.1:%1/").arg(m_server->port())});
        Answer hits;
        ask(QStringLiteral("/api/hits"), &hits);
        QCOMPARE(hits.status, 200);
        // A name of another site that leads here is no way in.
        QByteArray head;
        askRaw(QByteArray("GET /api/hits HTTP/1.1\r\nHost: rebound.example:") +
                   QByteArray::number(m_server->port()) + "\r\n\r\n",
               &head);
        QVERIFY2(head.startsWith("HTTP/1.1 403"), head.constData());
        // Not reachable on this machine's other addresses, if it has any.
        const auto all = QNetworkInterface::allAddresses();
        for (const QHostAddress &address : all) {
            if (address.protocol() != QAbstractSocket::IPv4Protocol || address.isLoopback())
                continue;
            QTcpSocket socket;
            socket.connectToHost(address, m_server->port());
            QVERIFY(!socket.waitForConnected(5000));
        }
    }

    void requestsMeasuredEachOnTheirOwn()
    {
        const QByteArray form = "password=x&filler=" + QByteArray(40 * 1024, 'x');
        const QByteArray request = "POST /login HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " +
                                   QByteArray::number(form.size()) + "\r\n\r\n" + form;
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_server->port());
        QVERIFY(socket.waitForConnected(5000));
        socket.write(request + request.left(1000));
        QByteArray answer;
        QTRY_VERIFY((answer += socket.readAll()).contains("HTTP/1.1 401"));
        socket.write(request.mid(1000));
        QTRY_COMPARE((answer += socket.readAll()).count("HTTP/1.1 401"), 2);
        QVERIFY(!answer.contains("413"));
    }

    void webSocketChecks_data()
    {
        QTest::addColumn<bool>("session");
        QTest::addColumn<QString>("origin");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("own origin") << true << QStringLiteral("http://127.0.0.1:%1") << true;
        QTest::newRow("no session") << false << QStringLiteral("http://127.0.0.1:%1") << false;
        QTest::newRow("other origin") << true << QStringLiteral("http://evil.example:%1") << false;
        QTest::newRow("other port") << true << QStringLiteral("http://127.0.0.1:1%1") << false;
        QTest::newRow("no origin") << true << QString() << false;
    }
    void webSocketChecks()
    {
        QFETCH(bool, session);
        QFETCH(QString, origin);
        QFETCH(bool, accepted);
        if (session)
            logIn();
        QWebSocket page(origin.isEmpty() ? origin : origin.arg(m_server->port()));
        QSignalSpy texts(&page, &QWebSocket::textMessageReceived);
        QSignalSpy closed(&page, &QWebSocket::disconnected);
        QSignalSpy upgraded(&page, &QWebSocket::connected);
        QNetworkRequest request(QUrl(url(QStringLiteral("/ws")).toString().replace("http", "ws")));
        request.setRawHeader("Cookie", m_cookie);
        page.open(request);
        if (!accepted) {
            QTRY_COMPARE(closed.size(), 1);
            QCOMPARE(upgraded.size(), 0);
            QCOMPARE(texts.size(), 0);
            return;
        }
        QTRY_COMPARE(texts.size(), 2); // the screen and the hits
        QVERIFY(texts[0][0].toString().contains("\"t\":\"screen\""));
        QSignalSpy keys(m_server.get(), &WebRemoteServer::keyPressed);
        QSignalSpy volumes(m_server.get(), &WebRemoteServer::volumeChosen);
        QSignalSpy listeners(m_server.get(), &WebRemoteServer::listenersChanged);
        QSignalSpy audio(&page, &QWebSocket::binaryMessageReceived);
        page.sendTextMessage(R"({"t":"vol","v":99})");
        page.sendTextMessage(R"({"t":"key","key":"../key"})");
        page.sendTextMessage(R"({"t":"vol","v":7})");
        page.sendTextMessage(R"({"t":"key","key":"key_scan"})");
        QTRY_COMPARE(keys.size(), 1);
        QCOMPARE(keys[0][0].toString(), QStringLiteral("key_scan"));
        QCOMPARE(volumes.size(), 1);
        QCOMPARE(volumes[0][0].toInt(), 7);
        m_server->setScreen({{"SCAN", "", "", "", "", ""}, 3});
        m_server->setScreen({{"SCAN", "", "", "", "", ""}, 3});
        m_server->addHit(hit(1));
        QTRY_COMPARE(texts.size(), 4);
        QVERIFY(texts[2][0].toString().contains("\"SCAN\""));
        QVERIFY(texts[3][0].toString().contains("\"t\":\"hit\""));
        m_server->sendAudio("no one listens");
        page.sendTextMessage(R"({"t":"listen","on":true})");
        QTRY_COMPARE(listeners.size(), 1);
        QCOMPARE(listeners[0][0].toInt(), 1);
        m_server->sendAudio("pcm");
        QTRY_COMPARE(audio.size(), 1);
        QCOMPARE(audio[0][0].toByteArray(), QByteArray("pcm"));
        page.close();
        QTRY_COMPARE(listeners.size(), 2);
        QCOMPARE(listeners[1][0].toInt(), 0);
    }

    void hitLookupReadsTheDatabase()
    {
        const QString path = m_dir.filePath(QStringLiteral("hits.db"));
        HitLookup lookup(path);
        QVERIFY(lookup.find(QString(), 10).isEmpty()); // no file yet
        HitStore store;
        QCOMPARE(store.open(path), HitStore::Fault::None);
        StoredHit older;
        older.run = QStringLiteral("12-05-2026_8-00-00-PM");
        older.line = 1;
        older.system = QStringLiteral("Metro");
        older.group = QStringLiteral("Harbor Patrol");
        older.channel = QStringLiteral("Tac 2");
        older.frequency = QStringLiteral("460.1250");
        older.code = QStringLiteral("");
        older.startText = QStringLiteral("8:05:00 PM");
        older.endText = QStringLiteral("8:05:20 PM");
        older.startUtc = 1000;
        older.recordingPath = m_dir.filePath(QStringLiteral("hit.wav"));
        older.recordingMs = 2000;
        StoredHit newer = older;
        newer.line = 2;
        newer.system = "County";
        newer.startUtc = 2000;
        newer.recordingPath.clear();
        QVERIFY2(store.addAll({older, newer}) == HitStore::Fault::None,
                 qPrintable(store.lastError()));
        const QList<WebHit> all = lookup.find(QString(), 10);
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[0].system, QStringLiteral("County"));
        QCOMPARE(all[1].recording, true);
        QCOMPARE(all[1].date, QStringLiteral("12-05-2026"));
        const QList<WebHit> found = lookup.find(QStringLiteral("metro"), 10);
        QCOMPARE(found.size(), 1);
        QCOMPARE(lookup.recordingFile(found[0].id), older.recordingPath);
        QCOMPARE(lookup.recordingFile(all[0].id), QString());
        QCOMPARE(store.markRecordingsDeleted({found[0].id}), HitStore::Fault::None);
        QCOMPARE(lookup.recordingFile(found[0].id), QString());
    }
};

QTEST_GUILESS_MAIN(TestWebRemote)
#include "tst_webremote.moc"
