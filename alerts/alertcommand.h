#pragma once

#include "alerts/alertrule.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The placeholders an argument may hold, each replaced by one of the hit's
// values: {system} {group} {channel} {frequency} {tone} {talkgroup} {start}
// {kind}.
QStringList alertPlaceholders();

// The command's arguments for a hit: in each argument every placeholder is
// replaced by the value as it is, inside that same argument. Nothing is
// split, quoted or read again (a value holding "{group}" stays so), and no
// shell ever sees the result.
QStringList commandArguments(const QStringList &arguments, const AlertHit &hit);

// The hit's values for the command's environment: TOLLVANE_SYSTEM,
// TOLLVANE_GROUP, TOLLVANE_CHANNEL, TOLLVANE_FREQUENCY, TOLLVANE_TONE,
// TOLLVANE_TALKGROUP, TOLLVANE_START and TOLLVANE_KIND ("conventional" or
// "trunked").
QList<std::pair<QString, QString>> commandEnvironment(const AlertHit &hit);

// The last line of a command's error output that holds more than blanks.
QString lastOutputLine(const QByteArray &output);

// A desktop notice's texts for a rule that fired on a hit.
struct AlertNotice
{
    QString summary;
    QString body;
};
AlertNotice alertNotice(const AlertRule &rule, const AlertHit &hit);
