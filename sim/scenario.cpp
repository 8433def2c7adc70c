#include "sim/scenario.h"

#include "sim/channelplan.h"

#include <QRandomGenerator>
#include <QtMath>

namespace {

constexpr double ticksPerMinute = 600.0;
constexpr int minimumGap = 3;
constexpr int minimumActive = 3;
constexpr double meanExtraActive = 25.0;
constexpr int longestActive = 300;

// An exponentially distributed number of ticks with the given mean, capped.
int exponentialTicks(QRandomGenerator &random, double mean, int cap)
{
    if (mean <= 0.0)
        return 0;
    const double ticks = -mean * std::log(1.0 - random.generateDouble());
    return int(qMin(double(cap), std::round(ticks)));
}

template <typename T> const T &pick(QRandomGenerator &random, const QList<T> &list)
{
    return list.at(random.bounded(int(list.size())));
}

Reception conventional(QRandomGenerator &random, const PlannedChannel &channel)
{
    Reception reception;
    reception.kind = channel.p25 ? Reception::Kind::P25 : Reception::Kind::Conventional;
    reception.system = channel.system;
    reception.group = channel.group;
    reception.channel = channel.channel;
    reception.frequency = channel.frequency;
    reception.tone = channel.p25 ? QByteArray("0") : channel.tone;
    reception.modulation = channel.modulation;
    reception.signal = 1 + random.bounded(5);
    return reception;
}

Reception trunked(QRandomGenerator &random, const PlannedTrunkSystem &system)
{
    const PlannedTalkgroup &talkgroup = pick(random, system.talkgroups);
    Reception reception;
    reception.kind = Reception::Kind::Trunked;
    reception.system = system.system;
    reception.group = talkgroup.group;
    reception.channel = talkgroup.channel;
    reception.talkgroup = talkgroup.id;
    reception.frequency = pick(random, system.voiceFrequencies);
    reception.tone = "0";
    reception.modulation = system.modulation;
    reception.signal = 1 + random.bounded(5);
    return reception;
}

QList<PlannedChannel> channelsWhere(const ChannelPlan &plan, bool p25)
{
    QList<PlannedChannel> found;
    for (const PlannedChannel &channel : plan.channels) {
        if (channel.p25 == p25)
            found.append(channel);
    }
    return found;
}

} // namespace

Scenario Scenario::generate(quint32 seed, int count, double rate)
{
    QRandomGenerator random(seed);
    const ChannelPlan plan = ChannelPlan::generate(random);
    const QList<PlannedChannel> plain = channelsWhere(plan, false);
    const QList<PlannedChannel> digital = channelsWhere(plan, true);

    const double perMinute = rate > 0.0 ? rate : 1.0;
    const double meanCycle = ticksPerMinute / perMinute;
    const double meanBusy = minimumActive + meanExtraActive + Reception::lingerTicks;
    const double meanExtraGap = qMax(0.0, meanCycle - meanBusy - minimumGap);
    const int longestGap = int(qMin(1e6, 20 * meanExtraGap)) + minimumGap;

    QList<Reception> receptions;
    for (int i = 0; i < count; ++i) {
        Reception reception;
        const int kind = random.bounded(100);
        if (kind < 45) {
            reception = conventional(random, pick(random, plain));
        } else if (kind < 70) {
            reception = trunked(random, pick(random, plan.trunkSystems));
        } else if (kind < 80) {
            reception = conventional(random, pick(random, digital));
        } else if (kind < 87) {
            // A Close Call hit finds a channel that is also programmed.
            reception = conventional(random, pick(random, plain));
            reception.kind = Reception::Kind::CloseCall;
            reception.tone = "0";
        } else {
            reception.kind = Reception::Kind::Blip;
            reception.frequency = pick(random, plain).frequency;
            reception.tone.clear();
            reception.modulation = "FM";
            reception.signal = 1;
        }
        reception.activeTicks =
            reception.kind == Reception::Kind::Blip
                ? 1
                : minimumActive + exponentialTicks(random, meanExtraActive, longestActive);
        reception.gapTicks =
            minimumGap + exponentialTicks(random, meanExtraGap, longestGap - minimumGap);
        receptions.append(reception);
    }
    return Scenario(receptions);
}

int Scenario::totalTicks() const
{
    int ticks = 0;
    for (const Reception &reception : m_receptions)
        ticks += reception.totalTicks();
    return ticks;
}
