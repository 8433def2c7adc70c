#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What the panel shows for one six-line screen reply (18 fields). The
// display lines are fields 2, 4, 6, 8, 10 and 12; the radio's own symbols
// (bytes 0x80 to 0xB4) are turned into short words here.
struct SixLineScreen
{
    QString text1;           // lines 2 and 3, each ended by CR LF, arrows taken out
    QString floatingTaskbar; // " ", line 2 trimmed, "/", line 3 without its arrows
    QString sigdisplay;      // line 1: status words, signal meter blanked out
    QString moddisp;         // line 4: modulation and similar badges
    QString iconsSet1;       // line 5, plus " Up" / " Dn" for the scan direction
    QString iconsSet2;       // line 6
    int signalLevel = 0;     // 0 (no signal symbol) to 5
    bool p25 = false;        // line 4 shows "P25"
    QByteArray line1;        // field 2 as rewritten, to be stored back
    QByteArray line4;        // field 8 as rewritten, to be stored back
};

SixLineScreen decodeSixLineScreen(const QList<QByteArray> &sts);

// The text of a four-line screen reply (14 fields): lines 1 to 4, each ended
// by CR LF, with "*" in front of a line shown in reverse (its mode field all
// sixteen "*").
QString decodeFourLineScreen(const QList<QByteArray> &sts);
