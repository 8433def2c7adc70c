#pragma once

#include <QByteArray>
#include <QHttpServerResponder>
#include <QHttpServerRouterRule>
#include <QList>
#include <QString>

#include <functional>
#include <utility>

// What the web remote's server needs of HTTP, beside Qt's server.

using WebHeaders = QList<std::pair<QByteArray, QByteArray>>;

// A request header by its name in any case, or empty.
QByteArray headerValue(const QHttpServerRequest &request, const QByteArray &name);
// A cookie of a Cookie header, or empty.
QByteArray cookieValue(const QByteArray &cookieHeader, const QByteArray &name);
// A value of a query or a form (application/x-www-form-urlencoded); "+" is a space.
QString formValue(const QByteArray &encoded, const QString &name);

// Answers with the headers every answer carries: the content security
// policy "default-src 'self'", no sniffing of the type, no caching.
void sendAnswer(QHttpServerResponder &&responder, QHttpServerResponder::StatusCode status,
                const QByteArray &type = {}, const QByteArray &body = {},
                const WebHeaders &headers = {});

// Qt's server upgrades a request to a WebSocket only when a rule takes it;
// this one takes only the upgrades to its path that `allowed` lets through.
// Any other is closed before it is upgraded.
class WebSocketRule : public QHttpServerRouterRule
{
public:
    using Check = std::function<bool(const QHttpServerRequest &)>;
    WebSocketRule(const QString &path, Check allowed, RouterHandler handler);

protected:
    bool matches(const QHttpServerRequest &request, QRegularExpressionMatch *match) const override;

private:
    Check m_allowed;
};
