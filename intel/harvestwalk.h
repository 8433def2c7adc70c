#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>

// One channel of the radio's programming: a line of hit_intel.txt.
struct HarvestChannel
{
    QByteArray frequency; // 8 digits, as the radio sent it
    QByteArray name;
    QByteArray group;
    QByteArray system;
};

// How far a walk has come, and the names it is at.
struct HarvestProgress
{
    int systems = 0;
    int groups = 0;
    int channels = 0;
    QByteArray system;
    QByteArray group;
    QByteArray channel;
};

// The walk through the radio's programming, fed one answer at a time: it
// says which command to send next and collects the channels it finds.
//
// In programming mode ("PRG") the radio keeps its memory as chains of
// records linked by index handles, each chain ended by the index "-1": the
// systems from the head that "SIH" names, each system's groups from its SIN
// record, each group's channels from its GIN record. A SIN answer has 17
// fields on this radio (next system 13, first group 14) and 15 on its older
// siblings (next system 11, first group 12); GIN gives the name 2, the next
// group 6 and the first channel 8; CIN the name 1, the frequency 2 and the
// next channel 12.
//
// An answer that is silent, "ERR", "<CMD>,NG" or "<CMD>,ERR", that echoes
// another command, lacks a field the walk needs, or names an index already
// walked (a chain that loops) cuts short the chain it belongs to; the walk
// goes on with the next group or system.
//
// A group of type "T" (GIN field 1) holds talkgroups, not channels: the
// radio refuses "CIN" on its records with "CIN,NG". That ends the group's
// chain as "-1" would; it is no chain cut short.
class HarvestWalk
{
public:
    // Starts over; the first command is "PRG".
    QByteArray start();

    // Takes the answer to the command last returned (without its CR; empty
    // when the radio said nothing) and returns the next command, or nothing
    // when the walk has ended.
    QByteArray next(const QByteArray &reply);

    bool finished() const { return m_step == Step::Done; }
    const HarvestProgress &progress() const { return m_progress; }
    // In the order found.
    const QList<HarvestChannel> &channels() const { return m_channels; }
    // How many chains were cut short: real failures, not the end of a
    // talkgroup group.
    int chainsCut() const { return m_chainsCut; }
    // The radio gave its programming: "SIH" said it has no systems, or at
    // least one system record was read. Otherwise (no answer, every read
    // refused) the walk found nothing worth a file.
    bool foundProgramming() const { return m_noSystems || m_progress.systems > 0; }

private:
    enum class Step { Idle, Program, Head, System, Group, Channel, Done };

    QByteArray onHead(const QList<QByteArray> &fields);
    QByteArray onSystem(const QList<QByteArray> &fields);
    QByteArray onGroup(const QList<QByteArray> &fields);
    QByteArray onChannel(const QList<QByteArray> &fields);
    QByteArray nextSystem();
    QByteArray nextGroup();
    QByteArray nextChannel();
    QByteArray ask(Step step, const char *command, QSet<QByteArray> &walked,
                   const QByteArray &index);
    QByteArray cut(QByteArray (HarvestWalk::*goOn)());
    QByteArray end();

    Step m_step = Step::Idle;
    QByteArray m_systemIndex;
    QByteArray m_groupIndex;
    QByteArray m_channelIndex;
    QSet<QByteArray> m_systemsWalked;
    QSet<QByteArray> m_groupsWalked;
    QSet<QByteArray> m_channelsWalked;
    HarvestProgress m_progress;
    QList<HarvestChannel> m_channels;
    int m_chainsCut = 0;
    bool m_noSystems = false;
    bool m_talkgroupGroup = false;
};

// The text of hit_intel.txt: one line per channel, the last found first,
// "frequency TAB name TAB group TAB system" ended by CR LF, then one more
// CR LF. No channels give a file of CR LF alone.
QByteArray hitIntelText(const QList<HarvestChannel> &channels);
