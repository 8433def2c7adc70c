#pragma once

#include "alerts/alertrule.h"
#include "poll/hitdetector.h"

#include <QHash>

#include <optional>

// When a hit is checked against the rules: once per hit, in the first poll
// that knows one of its names (the poll after the one that saw it start,
// where the radio's reception reply names it). A hit that ends before that
// is checked as it ends. A skipped hit is never checked.
class AlertMoment
{
public:
    std::optional<AlertHit> poll(const HitState &state, const std::optional<FinishedHit> &ended);

private:
    bool m_checked = false;
};

// The time each rule last fired, so that a rule fires again only once its
// cooldown has passed. Times are in milliseconds of any steady clock.
class AlertCooldown
{
public:
    // True, and the rule's time set to nowMs, when the rule may fire now.
    bool take(int ruleId, qint64 nowMs, int cooldownSeconds);
    void forget(int ruleId) { m_lastFired.remove(ruleId); }

private:
    QHash<int, qint64> m_lastFired;
};
