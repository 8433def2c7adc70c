#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

#include <optional>

// The radio's programmed memory as the programming-mode reads see it: its
// systems, their groups and the groups' channels, each a record reached by
// an index handle (not consecutive numbers), chained forward and back, "-1"
// ending each chain. "SIH" names the first system.
//
// Records answer in the radio's layouts: SIN with 17 fields
// (SIN,[SYS_TYPE],[NAME],[QUICK_KEY],[HLD],[LOUT],[DLY],[SKP],[MOD],[ATT],
// [APCO],[THRESHOLD],[REV_INDEX],[FWD_INDEX],[CHN_GRP_HEAD],[CHN_GRP_TAIL],
// [SEQ_NO]), or with the 15 of older siblings, which have no APCO and
// THRESHOLD; GIN with 11 (GIN,[GRP_TYPE],[NAME],[QUICK_KEY],[LOUT],
// [REV_INDEX],[FWD_INDEX],[SYS_INDEX],[CHN_HEAD],[CHN_TAIL],[SEQ_NO]); CIN
// with 15 (CIN,[NAME],[FRQ],[MOD],[CTCSS/DCS],[TLOCK],[LOUT],[PRI],[ATT],
// [ALT],[ALTL],[REV_INDEX],[FWD_INDEX],[SYS_INDEX],[GRP_INDEX]).
class SimMemory
{
public:
    struct Channel
    {
        QByteArray name;
        QByteArray frequency; // 8 digits, 100 Hz units; empty for a talkgroup
        QByteArray modulation = "NFM";
        QByteArray tone = "0";
    };
    // The groups of a trunked system hold talkgroups: the radio reads those
    // with a command of their own, and CIN on their indices answers NG.
    struct Group
    {
        QByteArray name;
        QList<Channel> channels;
        bool talkgroups = false;
    };
    struct System
    {
        QByteArray type; // "CNV" conventional, e.g. "M82S" trunked
        QByteArray name;
        QList<Group> groups;
    };

    // The seeded memory: conventional and trunked systems, an empty group
    // and a system without groups.
    SimMemory();

    void setSystems(const QList<System> &systems);
    const QList<System> &systems() const { return m_systems; }
    // Conventional systems with the given counts of groups and channels.
    static QList<System> generated(int systems, int groupsPerSystem, int channelsPerGroup);

    // The 15-field SIN of the radio's older siblings.
    void setOlderSystemLayout(bool on) { m_olderLayout = on; }

    // The answer to SIH, SIN, GIN or CIN (the command split at ","); nothing
    // for other commands. Outside programming mode they answer "<CMD>,NG".
    std::optional<QByteArray> reply(const QList<QByteArray> &fields, bool programming) const;

    // A record's index handle; "-1" for one that does not exist.
    QByteArray systemIndex(int system) const;
    QByteArray groupIndex(int system, int group) const;
    QByteArray channelIndex(int system, int group, int channel) const;

private:
    struct Record
    {
        QByteArray kind; // the command that reads it
        QList<QByteArray> fields;
        QList<QByteArray> olderFields; // SIN only
    };

    void index();
    QByteArray handle(int number) const;

    QList<System> m_systems;
    bool m_olderLayout = false;
    QHash<QByteArray, Record> m_records;
    QHash<QByteArray, QByteArray> m_handles; // "s", "s/g", "s/g/c" -> handle
};
