#include "sim/simmemory.h"

namespace {

SimMemory::Channel channel(const char *name, const char *frequency, const char *tone = "0")
{
    return {name, frequency, "NFM", tone};
}

SimMemory::Group talkgroups(const char *name, const QList<QByteArray> &names)
{
    SimMemory::Group group{name, {}, true};
    for (const QByteArray &talkgroup : names)
        group.channels.append({talkgroup, {}, "FM", "0"});
    return group;
}

// The address of a record: its place in the lists, e.g. "2/0/5".
QByteArray key(std::initializer_list<int> place)
{
    QByteArray k;
    for (int n : place) {
        if (n < 0)
            return {};
        k += (k.isEmpty() ? "" : "/") + QByteArray::number(n);
    }
    return k;
}

} // namespace

SimMemory::SimMemory()
{
    setSystems({
        {"CNV",
         "Marion County",
         {{"Sheriff",
           {channel("SO Dispatch", "01554750", "67"), channel("SO Tac 2", "01551300", "67"),
            channel("Jail Ops", "04531250", "136")}},
          {"Fire", {channel("Fire Dispatch", "01540700"), channel("Fireground 1", "01542800")}},
          {"Unused", {}}}},
        {"M82S",
         "Baltimore County",
         {talkgroups("Police", {"PD North Disp", "PD South Disp"}),
          talkgroups("Fire", {"Fire Disp"})}},
        {"CNV",
         "Springfield",
         {{"Police", {channel("PD Dispatch", "04605250", "118")}},
          {"Public Works", {channel("Streets", "04537500"), channel("Water Dept", "04532250")}}}},
        {"CNV", "Spare", {}},
    });
}

QList<SimMemory::System> SimMemory::generated(int systems, int groupsPerSystem,
                                              int channelsPerGroup)
{
    QList<System> out;
    int frequency = 1500000;
    for (int s = 1; s <= systems; ++s) {
        System system{"CNV", "System " + QByteArray::number(s), {}};
        for (int g = 1; g <= groupsPerSystem; ++g) {
            Group group{"Group " + QByteArray::number(s) + '-' + QByteArray::number(g), {}, false};
            for (int c = 1; c <= channelsPerGroup; ++c) {
                frequency += 125;
                group.channels.append({"Channel " + QByteArray::number(s) + '-' +
                                           QByteArray::number(g) + '-' + QByteArray::number(c),
                                       QByteArray::number(frequency).rightJustified(8, '0'), "NFM",
                                       "0"});
            }
            system.groups.append(group);
        }
        out.append(system);
    }
    return out;
}

void SimMemory::setSystems(const QList<System> &systems)
{
    m_systems = systems;
    index();
}

QByteArray SimMemory::handle(int number) const
{
    // Increasing, unique, and never one apart.
    return QByteArray::number(5166 + 37 * number + (number * number) % 11);
}

QByteArray SimMemory::systemIndex(int system) const
{
    return m_handles.value(key({system}), "-1");
}

QByteArray SimMemory::groupIndex(int system, int group) const
{
    return m_handles.value(key({system, group}), "-1");
}

QByteArray SimMemory::channelIndex(int system, int group, int channel) const
{
    return m_handles.value(key({system, group, channel}), "-1");
}

void SimMemory::index()
{
    m_records.clear();
    m_handles.clear();
    int next = 0;
    for (int s = 0; s < m_systems.size(); ++s) {
        m_handles.insert(key({s}), handle(next++));
        const QList<Group> &groups = m_systems.at(s).groups;
        for (int g = 0; g < groups.size(); ++g) {
            m_handles.insert(key({s, g}), handle(next++));
            for (int c = 0; c < groups.at(g).channels.size(); ++c)
                m_handles.insert(key({s, g, c}), handle(next++));
        }
    }

    for (int s = 0; s < m_systems.size(); ++s) {
        const System &system = m_systems.at(s);
        const int groupCount = int(system.groups.size());
        const QByteArray quickKey = QByteArray::number(s % 100);
        const QList<QByteArray> links = {systemIndex(s - 1), systemIndex(s + 1), groupIndex(s, 0),
                                         groupIndex(s, groupCount - 1), QByteArray::number(s + 1)};
        Record record{"SIN",
                      QList<QByteArray>{"SIN", system.type, system.name, quickKey, "2", "0", "2",
                                        "", "AUTO", "0", "AUTO", "8"} +
                          links,
                      QList<QByteArray>{"SIN", system.type, system.name, quickKey, "2", "0", "2",
                                        "", "AUTO", "0"} +
                          links};
        m_records.insert(systemIndex(s), record);
        for (int g = 0; g < groupCount; ++g) {
            const Group &group = system.groups.at(g);
            const int channelCount = int(group.channels.size());
            m_records.insert(
                groupIndex(s, g),
                {"GIN",
                 {"GIN", group.talkgroups ? "T" : "C", group.name, QByteArray::number(g % 10), "0",
                  groupIndex(s, g - 1), groupIndex(s, g + 1), systemIndex(s), channelIndex(s, g, 0),
                  channelIndex(s, g, channelCount - 1), QByteArray::number(g + 1)},
                 {}});
            for (int c = 0; c < channelCount; ++c) {
                const Channel &ch = group.channels.at(c);
                m_records.insert(channelIndex(s, g, c),
                                 {group.talkgroups ? "TIN" : "CIN",
                                  {"CIN", ch.name, ch.frequency, ch.modulation, ch.tone, "0", "0",
                                   "0", "0", "0", "0", channelIndex(s, g, c - 1),
                                   channelIndex(s, g, c + 1), systemIndex(s), groupIndex(s, g)},
                                  {}});
            }
        }
    }
}

std::optional<QByteArray> SimMemory::reply(const QList<QByteArray> &fields, bool programming) const
{
    const QByteArray &name = fields.first();
    if (name != "SIH" && name != "SIN" && name != "GIN" && name != "CIN")
        return std::nullopt;
    const bool wantsIndex = name != "SIH";
    if (fields.size() != (wantsIndex ? 2 : 1))
        return name + ",ERR";
    if (!programming)
        return name + ",NG";
    if (!wantsIndex)
        return "SIH," + systemIndex(0);
    const auto found = m_records.constFind(fields.at(1));
    if (found == m_records.cend())
        return name + ",ERR";
    if (found->kind != name)
        return name + ",NG";
    const bool older = name == "SIN" && m_olderLayout;
    return (older ? found->olderFields : found->fields).join(',');
}
