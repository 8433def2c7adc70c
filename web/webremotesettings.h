#pragma once

#include <QByteArray>
#include <QString>

// web_remote.txt in the data folder: the web remote's choices, one value a
// line, CR LF:
//
//   1  on (1) or off (0)
//   2  the port, 1..65535
//   3  other computers allowed (1) or not (0)
//   4  the password's hash, in double quotes, as hashPassword() made it
//
// On reading, a missing or bad line keeps its default; other computers are
// never allowed without a hash.
struct WebRemoteSettings
{
    bool enabled = false;
    int port = 8396;
    bool allowOthers = false;
    QByteArray passwordHash;
    bool operator==(const WebRemoteSettings &) const = default;
};

QString webRemoteSettingsFile(const QString &dataFolder);
WebRemoteSettings readWebRemoteSettings(const QByteArray &file);
QByteArray writeWebRemoteSettings(const WebRemoteSettings &settings);
