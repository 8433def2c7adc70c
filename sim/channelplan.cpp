#include "sim/channelplan.h"

#include <QRandomGenerator>

namespace {

const QList<QByteArray> countyNames = {"Marion County", "Franklin County", "Clark County",
                                       "Lake County",   "Douglas County",  "Warren County",
                                       "Greene County", "Union County",    "Polk County",
                                       "Wayne County",  "Jackson County",  "Monroe County"};

const QList<QByteArray> cityNames = {"Springfield", "Riverton", "Fairview", "Georgetown",
                                     "Oak Hill",    "Milford",  "Ashland",  "Clinton",
                                     "Dover",       "Salem"};

const QList<QByteArray> trunkSystemNames = {"Metro Regional", "Statewide 800", "Tri-County P25",
                                            "Regional Trunk", "County 800 Sys"};

struct Service
{
    QByteArray group;
    QList<QByteArray> channels;
};

const QList<Service> countyServices = {
    {"Sheriff", {"SO Dispatch", "SO Tac 2", "Jail Ops", "SO Car-Car"}},
    {"Fire", {"Fire Dispatch", "Fireground 1", "Fire Tac 3", "Tone Out"}},
    {"EMS", {"EMS Dispatch", "Med 4", "Hospital Net"}},
    {"Highway", {"Highway Dept", "Road Crews"}}};

const QList<Service> cityServices = {{"Police", {"PD Dispatch", "PD Tac 2", "Detectives"}},
                                     {"Fire", {"FD Dispatch", "FD Fireground"}},
                                     {"Public Works", {"Streets", "Water Dept"}},
                                     {"Schools", {"School Buses"}}};

const QList<QByteArray> talkgroupGroups = {"Police", "Fire", "EMS", "Interop", "Transit"};

const QList<QByteArray> talkgroupNames = {
    "PD North Disp", "PD South Disp", "PD Tac 3",  "SWAT Tac",   "Fire Main",
    "Fire Ops 2",    "EMS Ops",       "Medic Ops", "Interop 1",  "Mutual Aid",
    "Transit Ops",   "Bus Dispatch",  "Traffic",   "Animal Ctrl"};

// A number from 0 to count - 1.
int below(QRandomGenerator &random, qsizetype count)
{
    return random.bounded(int(count));
}

template <typename T> const T &pick(QRandomGenerator &random, const QList<T> &list)
{
    return list.at(below(random, list.size()));
}

template <typename T> T takeAny(QRandomGenerator &random, QList<T> &list)
{
    return list.takeAt(below(random, list.size()));
}

QByteArray conventionalFrequency(QRandomGenerator &random)
{
    switch (random.bounded(3)) {
    case 0: // VHF high band, 7.5 kHz steps
        return frequencyDigits(1508000 + 75 * qint64(random.bounded(3013)));
    case 1: // UHF, 12.5 kHz steps
        return frequencyDigits(4530000 + 125 * qint64(random.bounded(97)));
    default: // 800 MHz, 12.5 kHz steps
        return frequencyDigits(8510125 + 125 * qint64(random.bounded(800)));
    }
}

QByteArray toneCode(QRandomGenerator &random)
{
    const int choice = random.bounded(20);
    if (choice < 7)
        return "0";
    if (choice < 16)
        return QByteArray::number(64 + random.bounded(50));
    return QByteArray::number(128 + random.bounded(104));
}

void addServices(QRandomGenerator &random, ChannelPlan &plan, const QByteArray &system,
                 const QList<Service> &services)
{
    for (const Service &service : services) {
        if (random.bounded(4) == 0)
            continue;
        const int count = 1 + below(random, service.channels.size());
        for (int i = 0; i < count; ++i) {
            PlannedChannel channel;
            channel.system = system;
            channel.group = service.group;
            channel.channel = service.channels.at(i);
            channel.frequency = conventionalFrequency(random);
            channel.tone = toneCode(random);
            channel.modulation = random.bounded(10) < 7 ? "NFM" : "FM";
            plan.channels.append(channel);
        }
    }
}

// Motorola-style ids are multiples of 16; P25 ids are any number.
QByteArray talkgroupId(QRandomGenerator &random)
{
    if (random.bounded(2) == 0)
        return QByteArray::number(16 * (1 + random.bounded(4000)));
    return QByteArray::number(1 + random.bounded(65000));
}

PlannedTrunkSystem trunkSystem(QRandomGenerator &random, const QByteArray &name)
{
    PlannedTrunkSystem system;
    system.system = name;
    system.modulation = random.bounded(2) == 0 ? "NFM" : "FM";
    const int voiceCount = 4 + random.bounded(6);
    for (int i = 0; i < voiceCount; ++i)
        system.voiceFrequencies.append(
            frequencyDigits(8510125 + 125 * qint64(random.bounded(800))));
    const int talkgroupCount = 4 + random.bounded(6);
    QList<QByteArray> names = talkgroupNames;
    QList<QByteArray> ids;
    for (int i = 0; i < talkgroupCount && !names.isEmpty(); ++i) {
        PlannedTalkgroup talkgroup;
        talkgroup.id = talkgroupId(random);
        while (ids.contains(talkgroup.id))
            talkgroup.id = talkgroupId(random);
        ids.append(talkgroup.id);
        if (random.bounded(5) != 0) {
            talkgroup.group = pick(random, talkgroupGroups);
            talkgroup.channel = takeAny(random, names);
        }
        system.talkgroups.append(talkgroup);
    }
    return system;
}

} // namespace

QByteArray frequencyDigits(qint64 hundredsOfHertz)
{
    return QByteArray::number(hundredsOfHertz).rightJustified(8, '0');
}

ChannelPlan ChannelPlan::generate(QRandomGenerator &random)
{
    ChannelPlan plan;
    QList<QByteArray> counties = countyNames;
    QList<QByteArray> cities = cityNames;
    const int countyCount = 1 + random.bounded(2);
    for (int i = 0; i < countyCount; ++i) {
        const QByteArray name = takeAny(random, counties);
        addServices(random, plan, name, countyServices);
    }
    const int cityCount = 1 + random.bounded(3);
    for (int i = 0; i < cityCount; ++i) {
        const QByteArray name = takeAny(random, cities);
        addServices(random, plan, name, cityServices);
    }

    PlannedChannel digital;
    digital.system = pick(random, countyNames);
    digital.group = "Sheriff";
    digital.channel = "SO Digital";
    digital.frequency = conventionalFrequency(random);
    digital.tone = "0";
    digital.modulation = "NFM";
    digital.p25 = true;
    plan.channels.append(digital);
    if (plan.channels.size() == 1) {
        PlannedChannel plain = digital;
        plain.channel = "SO Dispatch";
        plain.frequency = conventionalFrequency(random);
        plain.tone = toneCode(random);
        plain.p25 = false;
        plan.channels.append(plain);
    }

    QList<QByteArray> trunkNames = trunkSystemNames;
    const int trunkCount = 1 + random.bounded(2);
    for (int i = 0; i < trunkCount; ++i) {
        const QByteArray name = takeAny(random, trunkNames);
        plan.trunkSystems.append(trunkSystem(random, name));
    }
    return plan;
}
