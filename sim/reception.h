#pragma once

#include <QByteArray>
#include <QList>

// One transmission the simulated radio plays: what it shows while the
// transmission is heard, how long it lasts and how long the radio scans
// before it. Time is counted in radio ticks: one tick per STS query.
struct Reception
{
    enum class Kind {
        Conventional, // a programmed channel; GLG field 1 is its frequency
        Trunked,      // a talkgroup call; GLG field 1 is the talkgroup, WIN the voice frequency
        P25,          // a digital conventional channel: "P25" on display line 4 while heard
        CloseCall,    // a Close Call hit: " Press Any Key  " on line 3 until "KEY,E,P"
        Blip          // squelch noise: active for one tick, no names, nothing in GLG
    };

    // Ticks the radio stays on a channel after the transmission ends, with
    // the reception's GLG fields and activity off, before it scans again.
    // A blip has no such tail.
    static constexpr int lingerTicks = 5;

    Kind kind = Kind::Conventional;
    QByteArray system;     // GLG field 5
    QByteArray group;      // GLG field 6
    QByteArray channel;    // GLG field 7; a trunked call without one shows "ID:<talkgroup>"
    QByteArray frequency;  // 8 digits in 100 Hz units: channel or voice frequency
    QByteArray talkgroup;  // trunked calls: the talkgroup id, GLG field 1
    QByteArray tone = "0"; // GLG field 4: "0", CTCSS 64-113 or DCS 128-231
    QByteArray modulation = "NFM";
    int signal = 3;      // signal meter bars, 1 to 5
    int activeTicks = 3; // ticks with the activity field at 0
    int gapTicks = 3;    // ticks of scanning before the reception starts

    // Set by the radio on what it has played (see SimRadio::groundTruth()).
    int startTick = -1;       // the radio tick of the first active tick
    bool expectLogged = true; // false when a hit log would have no name for it

    bool isP25() const { return kind == Kind::P25; }
    bool isTrunked() const { return kind == Kind::Trunked; }
    // Ticks from the end of the previous reception to the end of this one.
    int totalTicks() const;
    // GLG field 1: the talkgroup of a trunked call, the frequency otherwise.
    QByteArray glgIdentity() const;
    // The value a hit log shows in its tone/talkgroup column before any
    // naming: the talkgroup of a trunked call, the raw tone code otherwise.
    QByteArray logCode() const { return isTrunked() ? talkgroup : tone; }
    // The copy with the names a hit log shows, trimmed: "Close Call" three
    // times for a Close Call hit, "Search" and "ID:<talkgroup>" for an
    // unnamed talkgroup, none for a blip. expectLogged is false when all
    // three names are empty.
    Reception asLogged() const;

    bool operator==(const Reception &other) const = default;
};

const char *kindName(Reception::Kind kind);
