#pragma once

#include <QByteArrayView>
#include <QString>

// When the poll may send its next STS, GLG and WIN. A set's three replies
// hold about 210 bytes; at 38400 baud and above they are in well within one
// 100 ms tick, and every tick sends. Slower lines would fall behind with
// queries piling up on the radio, so there the next set goes out only once
// the three replies of the previous one are in, or when they have not come
// after a few ticks (a lost reply must not stop the poll).
class PollPacing
{
public:
    // Bytes on the line for one set: the three queries and their replies.
    static constexpr int setBytes = 12 + 212;
    static constexpr int timeoutTicks = 5;

    static bool pacedAt(int baud) { return baud > 0 && baud < 38400; }
    // Reply sets a second the line carries at that speed.
    static int setsPerSecond(int baud);
    // What the Settings tab shows beside the speed; empty where the line
    // keeps up with the poll.
    static QString speedNote(int baud);

    void setBaud(int baud) { m_baud = baud; }
    // The line was (re)opened: nothing is outstanding.
    void restart();

    // A tick: whether it may send the next set, given the bytes waiting.
    bool tickMaySend(QByteArrayView waiting);
    // Whether the bytes waiting complete the outstanding set, so that the
    // poll need not wait for its next tick to take them. Only on a paced line.
    bool repliesIn(QByteArrayView waiting) const;
    bool outstanding() const { return m_outstanding; }
    // A set went out.
    void sent();

private:
    int m_baud = 0;
    bool m_outstanding = false;
    int m_ticksWaited = 0;
};
