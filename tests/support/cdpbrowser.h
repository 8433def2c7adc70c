#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebSocket>

// Debian's Chromium, headless, driven through its DevTools protocol over a
// WebSocket: one page, navigated and asked to evaluate script.
class CdpBrowser
{
public:
    CdpBrowser();
    ~CdpBrowser();

    // Where Chromium is installed; empty when it is not.
    static QString program();

    // Starts the browser and connects to its page; false, with errorText()
    // set, when that fails.
    bool start();
    QString errorText() const { return m_error; }

    // Loads the address; true once the page's load event came.
    bool navigate(const QUrl &url);
    // The value of the expression (a promise is awaited), as a user's
    // gesture would run it; undefined when it threw or nothing answered.
    QJsonValue evaluate(const QString &expression);

private:
    QJsonObject call(const QString &method, const QJsonObject &params = {});
    bool fail(const QString &why);

    QTemporaryDir m_profile;
    QProcess m_process;
    QWebSocket m_socket;
    int m_nextId = 1;
    QList<QJsonObject> m_messages;
    QString m_error;
};
