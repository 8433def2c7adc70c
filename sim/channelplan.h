#pragma once

#include "sim/reception.h"

#include <QByteArray>
#include <QList>

class QRandomGenerator;

// The systems a simulated radio is programmed with: conventional channels
// with fixed frequencies and tones, and trunked systems with talkgroups and
// voice frequencies. Names look like a US county's public-safety radio and
// hold no commas, tabs or double quotes.
struct PlannedChannel
{
    QByteArray system;
    QByteArray group;
    QByteArray channel;
    QByteArray frequency; // 8 digits in 100 Hz units
    QByteArray tone;
    QByteArray modulation;
    bool p25 = false;
};

struct PlannedTalkgroup
{
    QByteArray group;   // empty for a talkgroup the radio has no name for
    QByteArray channel; // empty likewise
    QByteArray id;
};

struct PlannedTrunkSystem
{
    QByteArray system;
    QByteArray modulation;
    QList<PlannedTalkgroup> talkgroups;
    QList<QByteArray> voiceFrequencies;
};

struct ChannelPlan
{
    QList<PlannedChannel> channels;         // at least one plain and one P25 channel
    QList<PlannedTrunkSystem> trunkSystems; // at least one, each with talkgroups

    static ChannelPlan generate(QRandomGenerator &random);
};

// Eight digits in 100 Hz units for a frequency given in those units.
QByteArray frequencyDigits(qint64 hundredsOfHertz);
