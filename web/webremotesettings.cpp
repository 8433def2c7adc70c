#include "web/webremotesettings.h"

#include "link/settingstext.h"

#include <QDir>
#include <QList>

namespace {

bool flag(const QByteArray &line, bool fallback)
{
    const QByteArray value = line.trimmed();
    if (value == "0" || value == "1")
        return value == "1";
    return fallback;
}

} // namespace

QString webRemoteSettingsFile(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("web_remote.txt"));
}

WebRemoteSettings readWebRemoteSettings(const QByteArray &file)
{
    const QList<QByteArray> lines = SettingsText::lines(file);
    WebRemoteSettings s;
    if (lines.size() > 0)
        s.enabled = flag(lines[0], s.enabled);
    if (lines.size() > 1) {
        const int port = SettingsText::leadingInt(lines[1]);
        if (port >= 1 && port <= 65535)
            s.port = port;
    }
    if (lines.size() > 2)
        s.allowOthers = flag(lines[2], s.allowOthers);
    if (lines.size() > 3) {
        const QByteArray hash = SettingsText::unquoted(lines[3]).trimmed().toLatin1();
        if (hash.startsWith("pbkdf2-sha256$"))
            s.passwordHash = hash;
    }
    s.allowOthers = s.allowOthers && !s.passwordHash.isEmpty();
    return s;
}

QByteArray writeWebRemoteSettings(const WebRemoteSettings &s)
{
    return SettingsText::join({s.enabled ? "1" : "0", QByteArray::number(s.port),
                               s.allowOthers ? "1" : "0",
                               SettingsText::quoted(QString::fromLatin1(s.passwordHash))});
}
