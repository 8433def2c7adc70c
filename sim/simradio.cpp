#include "sim/simradio.h"

#include "sim/displaylines.h"

#include <iterator>

namespace {

struct IdleChannel
{
    const char *system;
    const char *name;
    const char *frequency;
    const char *modulation;
};

// The channels the radio passes while it scans with nothing to hear.
const IdleChannel idleChannels[] = {
    {"Marion County", "SO Dispatch", "01554750", "NFM"},
    {"Marion County", "Fire Dispatch", "01540700", "NFM"},
    {"Springfield", "PD Dispatch", "04605250", "FM"},
    {"Springfield", "Public Works", "04537500", "NFM"},
    {"Lake County", "EMS Dispatch", "01552650", "NFM"},
    {"Lake County", "Highway Dept", "04532250", "FM"},
};

const QByteArray pressAnyKey = " Press Any Key  ";
const QByteArray scanListLine = "S0:-2*4***-9*   ";
const QByteArray groupLine = "GRP----------   ";
const QByteArray emptyReception = "GLG,,,,,,,,,";

const QList<QByteArray> menuItems = {"Program System", "Srch/CloCall Opt", "Settings",
                                     "WX Operation",   "Scan Service",     "Clear Memory"};
constexpr int menuRows = 3;

bool isDigits(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

QByteArray join(const QList<QByteArray> &fields)
{
    return fields.join(',');
}

} // namespace

int SimRadio::idleChannelCount()
{
    return int(std::size(idleChannels));
}

int SimRadio::menuItemCount()
{
    return int(menuItems.size());
}

SimRadio::SimRadio()
{
    m_holdChannel = scanChannel();
}

QByteArray SimRadio::reply(const QByteArray &command)
{
    QByteArray line = command;
    line.replace('\n', QByteArray());
    line.replace('\r', QByteArray());
    const QList<QByteArray> fields = line.split(',');
    const QByteArray &name = fields.first();
    const bool bare = fields.size() == 1;

    if (name == "STS") {
        if (!bare)
            return "STS,ERR";
        advance();
        return m_menu ? menuReply() : statusReply();
    }
    if (name == "GLG")
        return bare ? receptionReply() : "GLG,ERR";
    if (name == "WIN")
        return bare ? frequencyReply() : "WIN,ERR";
    if (name == "KEY")
        return keyReply(fields);
    if (name == "QSH")
        return tuneReply(fields);
    if (name == "VOL")
        return levelReply(fields, m_volume);
    if (name == "SQL")
        return levelReply(fields, m_squelch);
    if (name == "MDL")
        return bare ? "MDL,BCD396T" : "MDL,ERR";
    if (name == "PRG") {
        if (!bare)
            return "PRG,ERR";
        m_programming = true;
        m_menu = false;
        return "PRG,OK";
    }
    if (name == "EPG") {
        if (!bare)
            return "EPG,ERR";
        if (m_programming) {
            m_programming = false;
            if (!m_held) {
                m_held = true;
                if (m_phase == Phase::Idle)
                    holdOn(scanChannel());
            }
        }
        return "EPG,OK";
    }
    if (std::optional<QByteArray> answer = m_memory.reply(fields, m_programming))
        return *answer;
    return "ERR";
}

void SimRadio::setScenario(const Scenario &scenario)
{
    m_pending = scenario.receptions();
    m_gapLeft = -1;
    m_held = false;
    m_heardOnHold.reset();
}

void SimRadio::queueReception(const Reception &reception, bool letScan)
{
    m_pending.append(reception);
    if (!letScan)
        return;
    m_held = false;
    m_heardOnHold.reset();
}

QList<Reception> SimRadio::groundTruth() const
{
    QList<Reception> truth;
    truth.reserve(m_played.size());
    for (const Reception &reception : m_played)
        truth.append(reception.asLogged());
    return truth;
}

QList<Reception> SimRadio::takeGroundTruth()
{
    QList<Reception> truth = groundTruth();
    m_played.clear();
    return truth;
}

void SimRadio::advance()
{
    ++m_tick;
    switch (m_phase) {
    case Phase::Active:
        if (--m_left > 0)
            return;
        finishActive();
        if (m_phase == Phase::Linger)
            return;
        break;
    case Phase::Linger:
        if (--m_left > 0)
            return;
        endReception();
        break;
    case Phase::Idle:
        break;
    }
    if (!m_held && !m_programming)
        m_scanIndex = (m_scanIndex + (m_scanUp ? 1 : idleChannelCount() - 1)) % idleChannelCount();
    startNextIfDue();
}

bool SimRadio::canStart(const Reception &reception) const
{
    if (m_menu || m_programming)
        return false;
    if (!m_held)
        return true;
    return !reception.isTrunked() && reception.frequency == m_holdChannel.frequency;
}

void SimRadio::startNextIfDue()
{
    if (m_pending.isEmpty() || !canStart(m_pending.first()))
        return;
    if (m_gapLeft < 0)
        m_gapLeft = qMax(0, m_pending.first().gapTicks);
    if (m_gapLeft > 0) {
        --m_gapLeft;
        return;
    }
    m_gapLeft = -1;
    m_current = m_pending.takeFirst();
    if (m_current.kind == Reception::Kind::Blip)
        m_current.activeTicks = 1;
    m_current.activeTicks = qMax(1, m_current.activeTicks);
    m_current.startTick = m_tick;
    m_phase = Phase::Active;
    m_left = m_current.activeTicks;
    m_closeCall = m_current.kind == Reception::Kind::CloseCall;
    m_heardOnHold.reset();
}

void SimRadio::finishActive()
{
    m_played.append(m_current);
    if (m_current.kind == Reception::Kind::Blip) {
        endReception();
        return;
    }
    m_phase = Phase::Linger;
    m_left = Reception::lingerTicks;
}

void SimRadio::endReception()
{
    m_phase = Phase::Idle;
    if (!m_held)
        return;
    holdOn(channelOf(m_current));
    if (m_current.kind != Reception::Kind::Blip)
        m_heardOnHold = m_current;
}

void SimRadio::leaveReception()
{
    if (m_phase == Phase::Active) {
        m_current.activeTicks -= m_left - 1;
        m_played.append(m_current);
    }
    m_phase = Phase::Idle;
    m_heardOnHold.reset();
}

void SimRadio::holdOn(const Channel &channel)
{
    m_holdChannel = channel;
    m_heardOnHold.reset();
    m_lockedOut = false;
}

SimRadio::Channel SimRadio::channelOf(const Reception &reception)
{
    Channel channel;
    if (reception.kind != Reception::Kind::Blip) {
        channel.system = reception.system;
        channel.name = reception.channel;
        if (reception.isTrunked() && reception.channel.isEmpty())
            channel.name = "ID:" + reception.talkgroup;
    }
    channel.frequency = reception.frequency;
    channel.modulation = reception.modulation;
    return channel;
}

SimRadio::Channel SimRadio::scanChannel() const
{
    const IdleChannel &idle = idleChannels[m_scanIndex];
    return {idle.system, idle.name, idle.frequency, idle.modulation};
}

SimRadio::Channel SimRadio::currentChannel() const
{
    if (m_phase != Phase::Idle)
        return channelOf(m_current);
    return m_held ? m_holdChannel : scanChannel();
}

QByteArray SimRadio::statusReply() const
{
    const bool receiving = m_phase == Phase::Active;
    const Channel channel = currentChannel();
    QByteArray line1(displayLineWidth, ' ');
    QByteArray line2 = fitLine(" Remote Mode");
    QByteArray line3 = fitLine({});
    QByteArray line4 = fitLine({});
    if (!m_programming) {
        StatusIcons icons;
        icons.function = m_functionLatched || m_functionHeld;
        icons.hold = m_held;
        icons.lockedOut = m_lockedOut && m_phase == Phase::Idle && m_held;
        icons.keyLock = m_keyLock;
        icons.signal = receiving ? qBound(1, m_current.signal, 5) : 0;
        icons.priority = m_priority;
        line1 = statusLine(icons);
        line2 = fitLine(channel.system);
        const bool scanning = m_phase == Phase::Idle && !m_held;
        line3 = scanning ? scanningLine(channel.name, m_scanUp) : fitLine(channel.name);
        line4 =
            modulationLine(channel.modulation, channel.frequency, receiving && m_current.isP25());
        if (m_closeCall) {
            line2 = fitLine("Close Call Hit");
            line3 = pressAnyKey;
        }
    }
    return join({"STS",
                 "011000",
                 line1,
                 {},
                 line2,
                 {},
                 line3,
                 {},
                 line4,
                 {},
                 scanListLine,
                 {},
                 groupLine,
                 {},
                 receiving ? "1" : "0",
                 receiving ? "0" : "1",
                 "0",
                 "0"});
}

QByteArray SimRadio::menuReply() const
{
    const bool receiving = m_phase == Phase::Active;
    const int count = menuItemCount();
    const int first = qBound(0, m_menuIndex - (menuRows - 1), count - menuRows);
    QList<QByteArray> fields = {"STS", "1111", fitLine(" -- M E N U --"), "________________"};
    for (int row = first; row < first + menuRows; ++row) {
        fields.append(fitLine(menuItems.at(row)));
        fields.append(row == m_menuIndex ? QByteArray(displayLineWidth, '*') : QByteArray());
    }
    fields += {receiving ? "1" : "0", receiving ? "0" : "1", "0", "0"};
    return join(fields);
}

QByteArray SimRadio::receptionReply() const
{
    std::optional<Reception> heard;
    QByteArray squelch = "0";
    QByteArray mute = "1";
    if (m_phase == Phase::Active) {
        if (m_current.kind == Reception::Kind::Blip)
            return "GLG,,,,,,,,1,0";
        heard = m_current;
        squelch = "1";
        mute = "0";
    } else if (m_phase == Phase::Linger) {
        heard = m_current;
    } else if (m_held) {
        heard = m_heardOnHold;
    }
    if (!heard)
        return emptyReception;
    QByteArray identity = heard->glgIdentity();
    if (m_pointedFrequencies && !heard->isTrunked() && identity.size() == 8)
        identity.insert(4, '.');
    return join({"GLG", identity, heard->modulation, "0", heard->tone, heard->system, heard->group,
                 heard->channel, squelch, mute});
}

QByteArray SimRadio::frequencyReply() const
{
    const int level =
        m_phase == Phase::Active ? 60 + 35 * qBound(1, m_current.signal, 5) : 85 + m_tick % 4;
    return "WIN," + QByteArray::number(level) + ',' + currentChannel().frequency;
}

QByteArray SimRadio::levelReply(const QList<QByteArray> &fields, int &level)
{
    const QByteArray &name = fields.first();
    if (fields.size() == 1)
        return name + ',' + QByteArray::number(level);
    if (fields.size() != 2 || !isDigits(fields.at(1)) || fields.at(1).size() > 2)
        return name + ",ERR";
    const int value = fields.at(1).toInt();
    if (value > 15)
        return name + ",ERR";
    level = value;
    return name + ",OK";
}

QByteArray SimRadio::tuneReply(const QList<QByteArray> &fields)
{
    if (fields.size() < 2 || fields.at(1).size() != 8 || !isDigits(fields.at(1)))
        return "QSH,ERR";
    const int hundreds = fields.at(1).toInt();
    if (hundreds < 250000 || hundreds > 13000000)
        return "QSH,ERR";
    QByteArray modulation;
    if (fields.size() > 3)
        modulation = fields.at(3);
    if (!modulation.isEmpty() && modulation != "FM" && modulation != "NFM" && modulation != "WFM" &&
        modulation != "AM" && modulation != "AUTO")
        return "QSH,ERR";
    if (m_menu || m_programming)
        return "QSH,NG";
    leaveReception();
    m_held = true;
    holdOn({"Quick Search", {}, fields.at(1), modulation.isEmpty() ? "AUTO" : modulation});
    return "QSH,OK";
}
