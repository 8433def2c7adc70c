#include "alerts/alertmoment.h"

namespace {

AlertHit fromState(const HitState &state)
{
    AlertHit hit;
    hit.system = state.hit_system.trimmed();
    hit.group = state.hit_group.trimmed();
    hit.channel = state.hit_channel.trimmed();
    hit.frequency = (state.trunked_hit || !state.have_channel_frequency ? state.hit_frequency
                                                                        : state.channel_frequency)
                        .trimmed();
    hit.tone = state.hit_tone;
    hit.talkgroup = state.hit_talkgroup;
    hit.start = state.hit_start_time;
    hit.trunked = state.trunked_hit;
    return hit;
}

AlertHit fromFinished(const FinishedHit &finished)
{
    return {finished.system, finished.group,     finished.channel,   finished.frequency.trimmed(),
            finished.tone,   finished.talkgroup, finished.startTime, finished.trunked};
}

} // namespace

std::optional<AlertHit> AlertMoment::poll(const HitState &state,
                                          const std::optional<FinishedHit> &ended)
{
    if (ended) {
        const bool checked = m_checked;
        m_checked = false;
        if (checked || ended->skipped)
            return std::nullopt;
        return fromFinished(*ended);
    }
    if (m_checked || !state.hit_active || state.hit_skipped || state.hit_start_time.isEmpty() ||
        !(state.have_system || state.have_group || state.have_channel))
        return std::nullopt;
    m_checked = true;
    return fromState(state);
}

bool AlertCooldown::take(int ruleId, qint64 nowMs, int cooldownSeconds)
{
    const auto last = m_lastFired.constFind(ruleId);
    // A clock set back does not hold a rule off until it catches up.
    if (last != m_lastFired.cend() && nowMs >= *last &&
        nowMs - *last < qint64(cooldownSeconds) * 1000)
        return false;
    m_lastFired.insert(ruleId, nowMs);
    return true;
}
