#pragma once

#include <QByteArray>

// Building blocks of the radio's screen: 16-byte lines in which bytes 0x80
// and up are the radio's own symbols.

constexpr int displayLineWidth = 16;

// The status marks of display line 1.
struct StatusIcons
{
    bool function = false;  // 8B at column 0
    bool hold = false;      // 8D 8E 8F 90 at columns 1-4
    bool lockedOut = false; // 95 96 97 at columns 5-7
    bool keyLock = false;   // 85 86 at columns 8-9
    int signal = 0;         // 0 (none) or 1-5 bars at columns 10-11
    bool priority = false;  // A1 A2 at columns 13-14
};

// The text cut or padded with spaces to exactly 16 bytes.
QByteArray fitLine(const QByteArray &text);

// Display line 1 with the given marks.
QByteArray statusLine(const StatusIcons &icons);

// The two bytes of the signal meter for 1-5 bars; two spaces for 0.
QByteArray signalPair(int bars);

// The badge bytes of a modulation: "FM", "NFM", "AM", "WFM"; anything else
// (e.g. "AUTO") shows as FM.
QByteArray modulationBadge(const QByteArray &modulation);

// Eight digits in 100 Hz units as the radio prints them: "01545250" ->
// "154.5250". Text that is not eight digits comes back unchanged.
QByteArray frequencyText(const QByteArray &digits);

// Display line 4: modulation badge and frequency, with "P25" in its last
// three columns when p25 is set.
QByteArray modulationLine(const QByteArray &modulation, const QByteArray &digits, bool p25);

// A name line with the scan-direction arrow (81 up, 82 down) between two
// spaces in its last three columns.
QByteArray scanningLine(const QByteArray &name, bool up);
