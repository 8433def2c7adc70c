#pragma once

#include <QString>
#include <QStringList>

// The hit an alert is about, as known when it starts: its names, the
// frequency in display form, the tone (conventional) or talkgroup (trunked).
struct AlertHit
{
    QString system;
    QString group;
    QString channel;
    QString frequency;
    QString tone;
    QString talkgroup;
    QString start;
    bool trunked = false;
};

// One alert: what it matches and what it does. Every filled-in condition
// must hold; a rule with no condition matches every hit.
struct AlertRule
{
    enum class Kind { Any, Conventional, Trunked };

    QString name;
    // Words that must all be in the system, group or channel name, in any
    // case, as the History's find matches them.
    QString words;
    // A frequency in MHz ("154.07") or a range ("154.0-155.5"); empty: any.
    QString frequency;
    // Talkgroups separated by commas or spaces; empty: any.
    QString talkgroups;
    Kind kind = Kind::Any;

    bool notify = true;
    bool sound = false;
    QString soundFile; // a WAV file; empty: the built-in chime
    QString program;   // empty: no command
    QStringList arguments;
    bool recordHit = false;

    int cooldownSeconds = 60;
    bool enabled = true;

    bool operator==(const AlertRule &) const = default;
};

// A frequency text read as a range in MHz; false when it is neither a
// number nor two numbers joined by "-". An empty text is every frequency.
bool parseFrequencyRange(const QString &text, double *low, double *high);

// The talkgroups of the rule's text.
QStringList talkgroupList(const QString &text);

// What is wrong with the rule as typed, in words for the user; empty when
// nothing is.
QString ruleProblem(const AlertRule &rule);

bool ruleMatches(const AlertRule &rule, const AlertHit &hit);

// The hit "Test" runs a rule's actions with.
AlertHit sampleAlertHit(const QString &startTime);
