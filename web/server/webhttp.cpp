#include "web/server/webhttp.h"

#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QUrlQuery>

QByteArray headerValue(const QHttpServerRequest &request, const QByteArray &name)
{
    const auto headers = request.headers();
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QByteArray cookieValue(const QByteArray &cookieHeader, const QByteArray &name)
{
    for (const QByteArray &part : cookieHeader.split(';')) {
        const QByteArray cookie = part.trimmed();
        if (cookie.startsWith(name + '='))
            return cookie.mid(name.size() + 1);
    }
    return {};
}

QString formValue(const QByteArray &encoded, const QString &name)
{
    QByteArray text = encoded;
    text.replace('+', "%20");
    return QUrlQuery(QString::fromLatin1(text)).queryItemValue(name, QUrl::FullyDecoded);
}

void sendAnswer(QHttpServerResponder &&responder, QHttpServerResponder::StatusCode status,
                const QByteArray &type, const QByteArray &body, const WebHeaders &headers)
{
    QHttpServerResponse response(type, body, status);
    response.setHeader("Content-Security-Policy", "default-src 'self'");
    response.setHeader("X-Content-Type-Options", "nosniff");
    response.setHeader("Cache-Control", "no-store");
    for (const auto &[name, value] : headers)
        response.setHeader(name, value);
    response.write(std::move(responder));
}

WebSocketRule::WebSocketRule(const QString &path, Check allowed, RouterHandler handler)
    : QHttpServerRouterRule(path, QHttpServerRequest::Method::Get, std::move(handler)),
      m_allowed(std::move(allowed))
{}

bool WebSocketRule::matches(const QHttpServerRequest &request, QRegularExpressionMatch *match) const
{
    return headerValue(request, "Upgrade").compare("websocket", Qt::CaseInsensitive) == 0 &&
           QHttpServerRouterRule::matches(request, match) && m_allowed(request);
}
