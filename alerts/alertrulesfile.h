#pragma once

#include "alerts/alertrule.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The rules are kept in the data folder, in a file of their own.
inline constexpr QLatin1StringView alertRulesFileName("alert_rules.json");

QByteArray alertRulesText(const QList<AlertRule> &rules);

// The rules of a file's text; none, with *error set, when the text is not a
// rules file. A rule is never left out: a file holding one that cannot be
// read is not read at all.
std::optional<QList<AlertRule>> parseAlertRules(const QByteArray &text, QString *error);

struct LoadedAlertRules
{
    QList<AlertRule> rules;
    // What the user is told; empty when all went well.
    QString message;
    // False when an unreadable file could not be put aside either: saving
    // would then replace rules the user still has.
    bool canSave = true;
};

// Reads the folder's rules file. A file that cannot be read is kept under
// another name beside it ("alert_rules.unreadable.json", then "...-2") and
// the rules start empty; no file at all is no rules, silently.
LoadedAlertRules loadAlertRules(const QString &folder);

// Writes the rules through the safe save; empty on success, else why not.
QString saveAlertRules(const QString &folder, const QList<AlertRule> &rules);
