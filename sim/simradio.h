#pragma once

#include "sim/reception.h"
#include "sim/scenario.h"
#include "sim/simmemory.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The simulated radio: its state and its answer to each command line. No
// input or output here; PtyRadio serves it on a pseudo-terminal.
//
// The radio's clock is the STS query: each STS starts a new tick, and GLG
// and WIN describe the tick of the latest STS. Receptions queued or given by
// a scenario play one after another while the radio scans: gapTicks of
// scanning, activeTicks with the activity field (STS field 15) at 0, then
// Reception::lingerTicks on the channel with its GLG fields kept, then
// scanning again. With nothing to play and nothing queued, a new radio holds
// idle on a channel and answers GLG with empty fields.
class SimRadio
{
public:
    SimRadio();

    // The answer to one command line (no CR; a stray LF is ignored), without
    // its CR.
    QByteArray reply(const QByteArray &command);

    // Replaces what is still to play and lets the radio scan. What has
    // already played stays in the ground truth.
    void setScenario(const Scenario &scenario);
    // Adds one reception to play after the others and lets the radio scan.
    // With letScan false a radio that holds (after "QSH") stays where it is,
    // and a conventional reception plays once the radio is tuned to its
    // frequency.
    void queueReception(const Reception &reception, bool letScan = true);

    // Some firmware writes a conventional channel's frequency in GLG field 1
    // with a point ("0463.0000") instead of eight digits.
    void setPointedFrequencies(bool on) { m_pointedFrequencies = on; }

    // Receptions not yet started.
    int pendingCount() const { return int(m_pending.size()); }
    // Nothing left to play and no reception in progress (linger included).
    bool isIdle() const { return m_pending.isEmpty() && m_phase == Phase::Idle; }
    // The latest tick has the activity field at 0.
    bool isReceiving() const { return m_phase == Phase::Active; }
    // Ticks so far: the number of STS queries answered.
    int tick() const { return m_tick; }

    // Every reception whose active ticks have all been played (or cut short
    // by ">", "<", "L" or "QSH"), oldest first, with the names and flags a
    // hit log would show (Reception::asLogged()), startTick set and
    // activeTicks the ticks actually played.
    QList<Reception> groundTruth() const;
    // The same, handed over and forgotten: a radio that plays for days keeps
    // only what has not been taken yet.
    QList<Reception> takeGroundTruth();

    bool isHolding() const { return m_held; }
    bool isInMenu() const { return m_menu; }
    bool isProgramming() const { return m_programming; }
    // The programmed memory that SIH, SIN, GIN and CIN read.
    SimMemory &memory() { return m_memory; }
    bool showsCloseCall() const { return m_closeCall; }
    int volume() const { return m_volume; }
    int squelch() const { return m_squelch; }
    // The frequency WIN reports now: 8 digits.
    QByteArray frequency() const { return currentChannel().frequency; }

private:
    enum class Phase { Idle, Active, Linger };

    struct Channel
    {
        QByteArray system;
        QByteArray name;
        QByteArray frequency;
        QByteArray modulation;
    };

    QByteArray statusReply() const;
    QByteArray menuReply() const;
    QByteArray receptionReply() const;
    QByteArray frequencyReply() const;
    QByteArray keyReply(const QList<QByteArray> &fields);
    QByteArray tuneReply(const QList<QByteArray> &fields);
    QByteArray levelReply(const QList<QByteArray> &fields, int &level);

    void advance();
    void startNextIfDue();
    bool canStart(const Reception &reception) const;
    void finishActive();
    void endReception();
    void leaveReception();
    void pressKey(char key, bool function);
    void pressMenuKey(char key);
    void toggleHold();
    void step(bool up);
    void holdOn(const Channel &channel);
    Channel currentChannel() const;
    Channel scanChannel() const;
    static Channel channelOf(const Reception &reception);
    static int idleChannelCount();
    static int menuItemCount();

    int m_tick = 0;
    Phase m_phase = Phase::Idle;
    QList<Reception> m_pending;
    int m_gapLeft = -1; // -1: the gap before the next reception has not begun
    Reception m_current;
    int m_left = 0; // ticks left in the current phase, this one included
    QList<Reception> m_played;

    bool m_held = true;
    Channel m_holdChannel;
    std::optional<Reception> m_heardOnHold; // GLG after a reception while holding
    int m_scanIndex = 0;
    bool m_scanUp = true;

    bool m_menu = false;
    int m_menuIndex = 0;
    bool m_programming = false;
    bool m_closeCall = false;
    bool m_functionLatched = false;
    bool m_functionHeld = false;
    bool m_keyLock = false;
    bool m_priority = false;
    bool m_lockedOut = false;
    bool m_pointedFrequencies = false;
    int m_volume = 8;
    int m_squelch = 2;
    SimMemory m_memory;
};
