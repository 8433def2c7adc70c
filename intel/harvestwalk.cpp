#include "intel/harvestwalk.h"

namespace {

const QByteArray endOfChain = "-1";

constexpr qsizetype sinFields = 17;
constexpr qsizetype olderSinFields = 13; // enough for next system and first group
constexpr qsizetype ginFields = 9;
constexpr qsizetype cinFields = 13;

// The answer's fields when it is a usable answer to the named command with
// at least the given number of fields; nothing otherwise.
QList<QByteArray> answerFields(const QByteArray &reply, const char *name, qsizetype least)
{
    if (reply.isEmpty())
        return {};
    QList<QByteArray> fields = reply.split(',');
    if (fields.first() != name || fields.size() < least)
        return {};
    if (fields.at(1) == "NG" || fields.at(1) == "ERR")
        return {};
    return fields;
}

} // namespace

QByteArray HarvestWalk::start()
{
    *this = HarvestWalk();
    m_step = Step::Program;
    return "PRG";
}

QByteArray HarvestWalk::next(const QByteArray &reply)
{
    switch (m_step) {
    case Step::Program:
        // Whatever the radio says to "PRG", the walk tries the memory.
        m_step = Step::Head;
        return "SIH";
    case Step::Head: {
        QByteArray line = reply;
        line.replace('\r', QByteArray());
        return onHead(answerFields(line, "SIH", 2));
    }
    case Step::System:
        return onSystem(answerFields(reply, "SIN", olderSinFields));
    case Step::Group:
        return onGroup(answerFields(reply, "GIN", ginFields));
    case Step::Channel:
        if (m_talkgroupGroup && reply == "CIN,NG")
            return nextGroup();
        return onChannel(answerFields(reply, "CIN", cinFields));
    case Step::Idle:
    case Step::Done:
        break;
    }
    return {};
}

QByteArray HarvestWalk::onHead(const QList<QByteArray> &fields)
{
    if (fields.isEmpty() || fields.at(1).isEmpty())
        return cut(&HarvestWalk::end);
    m_systemIndex = fields.at(1);
    m_noSystems = m_systemIndex == endOfChain;
    return nextSystem();
}

QByteArray HarvestWalk::onSystem(const QList<QByteArray> &fields)
{
    // Without the next system's index the system chain has no way on.
    if (fields.isEmpty())
        return cut(&HarvestWalk::end);
    const bool layout17 = fields.size() >= sinFields;
    const QByteArray next = fields.at(layout17 ? 13 : 11);
    const QByteArray firstGroup = fields.at(layout17 ? 14 : 12);
    if (next.isEmpty() || firstGroup.isEmpty())
        return cut(&HarvestWalk::end);
    m_systemIndex = next;
    m_groupIndex = firstGroup;
    ++m_progress.systems;
    m_progress.system = fields.at(2);
    m_progress.group.clear();
    m_progress.channel.clear();
    return nextGroup();
}

QByteArray HarvestWalk::onGroup(const QList<QByteArray> &fields)
{
    if (fields.isEmpty() || fields.at(6).isEmpty() || fields.at(8).isEmpty())
        return cut(&HarvestWalk::nextSystem);
    m_groupIndex = fields.at(6);
    m_channelIndex = fields.at(8);
    m_talkgroupGroup = fields.at(1) == "T";
    ++m_progress.groups;
    m_progress.group = fields.at(2);
    m_progress.channel.clear();
    return nextChannel();
}

QByteArray HarvestWalk::onChannel(const QList<QByteArray> &fields)
{
    if (fields.isEmpty() || fields.at(12).isEmpty())
        return cut(&HarvestWalk::nextGroup);
    m_channels.append({fields.at(2), fields.at(1), m_progress.group, m_progress.system});
    ++m_progress.channels;
    m_progress.channel = fields.at(1);
    m_channelIndex = fields.at(12);
    return nextChannel();
}

QByteArray HarvestWalk::nextSystem()
{
    if (m_systemIndex == endOfChain)
        return end();
    if (m_systemsWalked.contains(m_systemIndex))
        return cut(&HarvestWalk::end);
    return ask(Step::System, "SIN,", m_systemsWalked, m_systemIndex);
}

QByteArray HarvestWalk::nextGroup()
{
    if (m_groupIndex == endOfChain)
        return nextSystem();
    if (m_groupsWalked.contains(m_groupIndex))
        return cut(&HarvestWalk::nextSystem);
    return ask(Step::Group, "GIN,", m_groupsWalked, m_groupIndex);
}

QByteArray HarvestWalk::nextChannel()
{
    if (m_channelIndex == endOfChain)
        return nextGroup();
    if (m_channelsWalked.contains(m_channelIndex))
        return cut(&HarvestWalk::nextGroup);
    return ask(Step::Channel, "CIN,", m_channelsWalked, m_channelIndex);
}

QByteArray HarvestWalk::ask(Step step, const char *command, QSet<QByteArray> &walked,
                            const QByteArray &index)
{
    walked.insert(index);
    m_step = step;
    return command + index;
}

QByteArray HarvestWalk::cut(QByteArray (HarvestWalk::*goOn)())
{
    ++m_chainsCut;
    return (this->*goOn)();
}

QByteArray HarvestWalk::end()
{
    m_step = Step::Done;
    return {};
}

QByteArray hitIntelText(const QList<HarvestChannel> &channels)
{
    QByteArray text;
    for (auto it = channels.crbegin(); it != channels.crend(); ++it)
        text += it->frequency + '\t' + it->name + '\t' + it->group + '\t' + it->system + "\r\n";
    return text + "\r\n";
}
