#include "alerts/alertrulesfile.h"

#include "link/savefile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

const QString kindNames[] = {QStringLiteral("any"), QStringLiteral("conventional"),
                             QStringLiteral("trunked")};

QJsonObject ruleObject(const AlertRule &rule)
{
    return {{QStringLiteral("name"), rule.name},
            {QStringLiteral("words"), rule.words},
            {QStringLiteral("frequency"), rule.frequency},
            {QStringLiteral("talkgroups"), rule.talkgroups},
            {QStringLiteral("kind"), kindNames[int(rule.kind)]},
            {QStringLiteral("notify"), rule.notify},
            {QStringLiteral("sound"), rule.sound},
            {QStringLiteral("soundFile"), rule.soundFile},
            {QStringLiteral("program"), rule.program},
            {QStringLiteral("arguments"), QJsonArray::fromStringList(rule.arguments)},
            {QStringLiteral("recordHit"), rule.recordHit},
            {QStringLiteral("cooldownSeconds"), rule.cooldownSeconds},
            {QStringLiteral("enabled"), rule.enabled}};
}

bool readRule(const QJsonValue &value, AlertRule *rule)
{
    if (!value.isObject())
        return false;
    const QJsonObject o = value.toObject();
    const AlertRule defaults;
    rule->name = o.value(QStringLiteral("name")).toString();
    rule->words = o.value(QStringLiteral("words")).toString();
    rule->frequency = o.value(QStringLiteral("frequency")).toString();
    rule->talkgroups = o.value(QStringLiteral("talkgroups")).toString();
    const QString kind = o.value(QStringLiteral("kind")).toString(kindNames[0]);
    const auto *found = std::find(std::begin(kindNames), std::end(kindNames), kind);
    if (found == std::end(kindNames))
        return false;
    rule->kind = AlertRule::Kind(found - std::begin(kindNames));
    rule->notify = o.value(QStringLiteral("notify")).toBool(defaults.notify);
    rule->sound = o.value(QStringLiteral("sound")).toBool(defaults.sound);
    rule->soundFile = o.value(QStringLiteral("soundFile")).toString();
    rule->program = o.value(QStringLiteral("program")).toString();
    rule->arguments.clear();
    for (const QJsonValue &argument : o.value(QStringLiteral("arguments")).toArray()) {
        if (!argument.isString())
            return false;
        rule->arguments.append(argument.toString());
    }
    rule->recordHit = o.value(QStringLiteral("recordHit")).toBool(defaults.recordHit);
    rule->cooldownSeconds =
        o.value(QStringLiteral("cooldownSeconds")).toInt(defaults.cooldownSeconds);
    rule->enabled = o.value(QStringLiteral("enabled")).toBool(defaults.enabled);
    return true;
}

QString asidePath(const QDir &folder)
{
    QString path = folder.filePath(QStringLiteral("alert_rules.unreadable.json"));
    for (int n = 2; QFile::exists(path); ++n)
        path = folder.filePath(QStringLiteral("alert_rules.unreadable-%1.json").arg(n));
    return path;
}

} // namespace

QByteArray alertRulesText(const QList<AlertRule> &rules)
{
    QJsonArray array;
    for (const AlertRule &rule : rules)
        array.append(ruleObject(rule));
    return QJsonDocument(QJsonObject{{QStringLiteral("rules"), array}}).toJson();
}

std::optional<QList<AlertRule>> parseAlertRules(const QByteArray &text, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (document.isNull()) {
        *error = parseError.errorString();
        return std::nullopt;
    }
    const QJsonValue rules = document.object().value(QStringLiteral("rules"));
    if (!rules.isArray()) {
        *error = QStringLiteral("it holds no list of rules");
        return std::nullopt;
    }
    QList<AlertRule> result;
    for (const QJsonValue &value : rules.toArray()) {
        AlertRule rule;
        if (!readRule(value, &rule)) {
            *error = QStringLiteral("rule %1 cannot be read").arg(result.size() + 1);
            return std::nullopt;
        }
        result.append(rule);
    }
    return result;
}

LoadedAlertRules loadAlertRules(const QString &folder)
{
    const QDir dir(folder);
    const QString path = dir.filePath(alertRulesFileName);
    QFile file(path);
    if (!file.exists())
        return {};
    QString why;
    if (file.open(QIODevice::ReadOnly)) {
        if (auto rules = parseAlertRules(file.readAll(), &why))
            return {*rules, {}, true};
    } else {
        why = file.errorString();
    }
    file.close();

    const QString aside = asidePath(dir);
    if (QFile::rename(path, aside))
        return {{},
                QStringLiteral("The alert rules in %1 could not be read (%2). The file is kept "
                               "as %3; the Alerts tab starts with no rules.")
                    .arg(path, why, aside),
                true};
    return {{},
            QStringLiteral("The alert rules in %1 could not be read (%2), nor could the file be "
                           "put aside. Changes to the alerts are not saved until it can be.")
                .arg(path, why),
            false};
}

QString saveAlertRules(const QString &folder, const QList<AlertRule> &rules)
{
    return saveWholeFile(QDir(folder).filePath(alertRulesFileName), alertRulesText(rules));
}
