#include "alerts/alertcommand.h"

namespace {

QString kindOf(const AlertHit &hit)
{
    return hit.trunked ? QStringLiteral("trunked") : QStringLiteral("conventional");
}

QList<std::pair<QString, QString>> valuesOf(const AlertHit &hit)
{
    return {{QStringLiteral("system"), hit.system},   {QStringLiteral("group"), hit.group},
            {QStringLiteral("channel"), hit.channel}, {QStringLiteral("frequency"), hit.frequency},
            {QStringLiteral("tone"), hit.tone},       {QStringLiteral("talkgroup"), hit.talkgroup},
            {QStringLiteral("start"), hit.start},     {QStringLiteral("kind"), kindOf(hit)}};
}

} // namespace

QStringList alertPlaceholders()
{
    QStringList names;
    for (const auto &[name, value] : valuesOf(AlertHit()))
        names.append(u'{' + name + u'}');
    return names;
}

QStringList commandArguments(const QStringList &arguments, const AlertHit &hit)
{
    const QList<std::pair<QString, QString>> values = valuesOf(hit);
    QStringList result;
    for (const QString &argument : arguments) {
        // One pass from left to right: a value put in is never looked at again.
        QString out;
        qsizetype at = 0;
        while (at < argument.size()) {
            bool replaced = false;
            if (argument.at(at) == u'{') {
                for (const auto &[name, value] : values) {
                    const QString key = u'{' + name + u'}';
                    if (QStringView(argument).sliced(at).startsWith(key)) {
                        out += value;
                        at += key.size();
                        replaced = true;
                        break;
                    }
                }
            }
            if (!replaced)
                out += argument.at(at++);
        }
        result.append(out);
    }
    return result;
}

QList<std::pair<QString, QString>> commandEnvironment(const AlertHit &hit)
{
    QList<std::pair<QString, QString>> environment;
    for (const auto &[name, value] : valuesOf(hit))
        environment.append({QStringLiteral("TOLLVANE_") + name.toUpper(), value});
    return environment;
}

QString lastOutputLine(const QByteArray &output)
{
    const QStringList lines = QString::fromUtf8(output).split(u'\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (!line->trimmed().isEmpty())
            return line->trimmed();
    }
    return {};
}

AlertNotice alertNotice(const AlertRule &rule, const AlertHit &hit)
{
    AlertNotice notice;
    notice.summary =
        rule.name.isEmpty() ? hit.channel : rule.name + QStringLiteral(": ") + hit.channel;
    notice.body = hit.system + QStringLiteral(" / ") + hit.group + u'\n' + hit.frequency +
                  QStringLiteral(" MHz");
    const QString code = hit.trunked ? hit.talkgroup : hit.tone;
    if (!code.isEmpty())
        notice.body += (hit.trunked ? QStringLiteral("  TG ") : QStringLiteral("  ")) + code;
    return notice;
}
