#include "web/webmessages.h"

#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>

namespace {

constexpr int highestLevel = 15;

} // namespace

QJsonObject hitJson(const WebHit &hit)
{
    return {{QStringLiteral("id"), hit.id},
            {QStringLiteral("start"), hit.start},
            {QStringLiteral("end"), hit.end},
            {QStringLiteral("system"), hit.system},
            {QStringLiteral("group"), hit.group},
            {QStringLiteral("channel"), hit.channel},
            {QStringLiteral("frequency"), hit.frequency},
            {QStringLiteral("code"), hit.code},
            {QStringLiteral("recording"), hit.recording},
            {QStringLiteral("date"), hit.date}};
}

QJsonArray hitsJson(const QList<WebHit> &hits)
{
    QJsonArray array;
    for (const WebHit &hit : hits)
        array.append(hitJson(hit));
    return array;
}

QByteArray jsonText(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray screenMessage(const WebScreenState &screen)
{
    return jsonText({{QStringLiteral("t"), QStringLiteral("screen")},
                     {QStringLiteral("lines"), QJsonArray::fromStringList(screen.lines)},
                     {QStringLiteral("signal"), screen.signal}});
}

QByteArray hitsMessage(const QList<WebHit> &hits)
{
    return jsonText(
        {{QStringLiteral("t"), QStringLiteral("hits")}, {QStringLiteral("hits"), hitsJson(hits)}});
}

QByteArray hitMessage(const WebHit &hit)
{
    return jsonText(
        {{QStringLiteral("t"), QStringLiteral("hit")}, {QStringLiteral("hit"), hitJson(hit)}});
}

QByteArray audioMessage(int sampleRate, int channels)
{
    return jsonText({{QStringLiteral("t"), QStringLiteral("audio")},
                     {QStringLiteral("rate"), sampleRate},
                     {QStringLiteral("channels"), channels}});
}

bool hitHasWords(const WebHit &hit, const QStringList &words)
{
    const QString text = QStringList{hit.date,  hit.start,   hit.end,       hit.system,
                                     hit.group, hit.channel, hit.frequency, hit.code}
                             .join(u'\n');
    for (const QString &word : words) {
        if (!text.contains(word, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

PageMessage readPageMessage(const QString &text)
{
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    const QString type = object.value(QStringLiteral("t")).toString();
    PageMessage m;
    if (type == QLatin1String("key")) {
        static const QRegularExpression keyName(QStringLiteral("^key_[a-z0-9_]{1,24}$"));
        m.key = object.value(QStringLiteral("key")).toString();
        if (keyName.match(m.key).hasMatch())
            m.kind = PageMessage::Key;
    } else if (type == QLatin1String("vol") || type == QLatin1String("sql")) {
        const QJsonValue v = object.value(QStringLiteral("v"));
        const double level = v.toDouble(-1);
        if (v.isDouble() && level >= 0 && level <= highestLevel && level == std::floor(level)) {
            m.kind = type == QLatin1String("vol") ? PageMessage::Volume : PageMessage::Squelch;
            m.level = int(level);
        }
    } else if (type == QLatin1String("listen")) {
        m.kind = PageMessage::Listen;
        m.on = object.value(QStringLiteral("on")).toBool();
    }
    return m;
}
