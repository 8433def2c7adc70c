#include "support/cdpbrowser.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStandardPaths>
#include <QTest>

namespace {

constexpr int answerMs = 15000;

} // namespace

CdpBrowser::CdpBrowser()
{
    QObject::connect(&m_socket, &QWebSocket::textMessageReceived, [this](const QString &text) {
        m_messages.append(QJsonDocument::fromJson(text.toUtf8()).object());
    });
}

CdpBrowser::~CdpBrowser()
{
    m_socket.close();
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString CdpBrowser::program()
{
    return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

bool CdpBrowser::fail(const QString &why)
{
    m_error = why + QStringLiteral(" (Chromium said: ") +
              QString::fromLocal8Bit(m_process.readAllStandardError().right(2000)) + u')';
    return false;
}

bool CdpBrowser::start()
{
    if (program().isEmpty())
        return fail(QStringLiteral("Chromium is not installed"));
    m_process.setProgram(program());
    m_process.setArguments(
        {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
         QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
         QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
         QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
         QStringLiteral("--autoplay-policy=no-user-gesture-required"),
         QStringLiteral("--remote-debugging-port=0"),
         QStringLiteral("--user-data-dir=") + m_profile.path(), QStringLiteral("about:blank")});
    m_process.start();
    if (!m_process.waitForStarted())
        return fail(QStringLiteral("Chromium did not start"));
    // Chromium writes its port and the browser's path once it listens.
    const QString portFile = m_profile.filePath(QStringLiteral("DevToolsActivePort"));
    QByteArray port;
    (void)QTest::qWaitFor(
        [&] {
            QFile file(portFile);
            if (file.open(QIODevice::ReadOnly))
                port = file.readLine().trimmed();
            return !port.isEmpty() || m_process.state() == QProcess::NotRunning;
        },
        answerMs);
    if (port.isEmpty())
        return fail(QStringLiteral("Chromium gave no DevTools port"));

    QNetworkAccessManager network;
    QNetworkReply *reply = network.get(
        QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/json/list").arg(port))));
    if (!QTest::qWaitFor([reply] { return reply->isFinished(); }, answerMs))
        return fail(QStringLiteral("Chromium did not list its pages"));
    QString pageSocket;
    const QJsonArray targets = QJsonDocument::fromJson(reply->readAll()).array();
    reply->deleteLater();
    for (const QJsonValue &target : targets) {
        if (target[QLatin1String("type")].toString() == QLatin1String("page"))
            pageSocket = target[QLatin1String("webSocketDebuggerUrl")].toString();
    }
    if (pageSocket.isEmpty())
        return fail(QStringLiteral("Chromium listed no page"));
    m_socket.open(QUrl(pageSocket));
    if (!QTest::qWaitFor([this] { return m_socket.state() == QAbstractSocket::ConnectedState; },
                         answerMs))
        return fail(QStringLiteral("The page's DevTools socket did not open"));
    call(QStringLiteral("Page.enable"));
    return true;
}

QJsonObject CdpBrowser::call(const QString &method, const QJsonObject &params)
{
    const int id = m_nextId++;
    const QJsonObject message{{QStringLiteral("id"), id},
                              {QStringLiteral("method"), method},
                              {QStringLiteral("params"), params}};
    m_socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
    QJsonObject answer;
    (void)QTest::qWaitFor(
        [&] {
            for (qsizetype i = 0; i < m_messages.size(); ++i) {
                if (m_messages.at(i)[QLatin1String("id")].toInt() == id) {
                    answer = m_messages.takeAt(i);
                    return true;
                }
            }
            return false;
        },
        answerMs);
    return answer[QLatin1String("result")].toObject();
}

bool CdpBrowser::navigate(const QUrl &url)
{
    m_messages.clear();
    call(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), url.toString()}});
    return QTest::qWaitFor(
        [this] {
            for (const QJsonObject &message : std::as_const(m_messages)) {
                if (message[QLatin1String("method")].toString() ==
                    QLatin1String("Page.loadEventFired"))
                    return true;
            }
            return false;
        },
        answerMs);
}

QJsonValue CdpBrowser::evaluate(const QString &expression)
{
    const QJsonObject result =
        call(QStringLiteral("Runtime.evaluate"), {{QStringLiteral("expression"), expression},
                                                  {QStringLiteral("returnByValue"), true},
                                                  {QStringLiteral("awaitPromise"), true},
                                                  {QStringLiteral("userGesture"), true}});
    if (result.contains(QLatin1String("exceptionDetails")))
        return QJsonValue(QJsonValue::Undefined);
    return result[QLatin1String("result")][QLatin1String("value")];
}
