// How long the poll's own work takes per tick, against the 100 ms the timer
// gives it: splitting and checking the three replies, following the hit,
// and decoding the six-line screen. Run by hand; prints microseconds.
#include "poll/displaydecode.h"
#include "poll/hitdetector.h"
#include "poll/replyset.h"

#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr int iterations = 200000;
constexpr double tickMicroseconds = 100000.0;

// A scan screen while a conventional channel is received: hold, lockout,
// five bars, the NFM badge, a down arrow, the bar frame.
const QByteArray receivingScreen =
    QByteArrayLiteral("STS,011000, \x8d\x8e\x8f\x90\x95\x96\x97  \xac\xad    ,,Bethel          ,,"
                      "Bethel PD 1 \x82   ,,\x9d\x9e\x9c\x9a 453.6000 C74.4,,S0:-2*4***-9*   ,,"
                      "\xb1\x80\x80\x80\xb2\xb2\xb2\xb3GRP-----,,1,0,0,0\r");
const QByteArray idleScreen =
    QByteArrayLiteral("STS,011000, \x8d\x8e\x8f\x90\x95\x96\x97        ,,Bethel          ,,"
                      "Bethel PD 1 \x82   ,,\x9d\x9e\x9c\x9a 453.6000 C74.4,,S0:-2*4***-9*   ,,"
                      "\xb1\x80\x80\x80\xb2\xb2\xb2\xb3GRP-----,,0,1,0,0\r");
const QByteArray reception =
    QByteArrayLiteral("GLG,04536000,NFM,0,67,Bethel,Bethel PD 1,Bethel Dispatch,1,0\r");
const QByteArray frequency = QByteArrayLiteral("WIN,86,04536000\r");

struct Fields
{
    QList<QByteArray> sts, glg, win;
};

Fields fieldsOf(const QByteArray &raw)
{
    const std::optional<ReplySet> set = splitReplySet(raw);
    return set ? Fields{set->sts, set->glg, set->win} : Fields{};
}

// A hit that lasts eight ticks between two idle ones, over and over.
QList<Fields> hitSequence()
{
    const Fields idle = fieldsOf(idleScreen + reception + frequency);
    const Fields receiving = fieldsOf(receivingScreen + reception + frequency);
    QList<Fields> sequence{idle};
    for (int i = 0; i < 8; ++i)
        sequence.append(receiving);
    sequence.append(idle);
    return sequence;
}

double microsecondsPer(const QElapsedTimer &timer, int count)
{
    return double(timer.nsecsElapsed()) / 1000.0 / count;
}

double benchSplit(const QByteArray &raw, qsizetype &sink)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < iterations; ++i) {
        const std::optional<ReplySet> set = splitReplySet(raw);
        if (set && isSixLineScreen(set->sts) && isReceptionReply(set->glg) &&
            isFrequencyReply(set->win))
            sink += debugBoxText(*set, raw).size();
    }
    return microsecondsPer(timer, iterations);
}

double benchHits(const QList<Fields> &sequence, HitDetector &detector, qsizetype &sink)
{
    const QString timeOfDay = QStringLiteral("10:15:42");
    const QString startupDate = QStringLiteral("12-06-2026");
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < iterations; ++i) {
        const Fields &poll = sequence.at(i % sequence.size());
        const HitTickResult result =
            detector.tick(poll.sts, poll.glg, poll.win, timeOfDay, startupDate);
        sink += result.logLine.size() + result.commands.size();
    }
    return microsecondsPer(timer, iterations);
}

double benchDecode(const Fields &poll, qsizetype &sink)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < iterations; ++i) {
        const SixLineScreen screen = decodeSixLineScreen(poll.sts);
        sink += screen.sigdisplay.size() + screen.signalLevel;
    }
    return microsecondsPer(timer, iterations);
}

} // namespace

int main()
{
    qsizetype sink = 0;
    const QByteArray raw = receivingScreen + reception + frequency;
    const QList<Fields> sequence = hitSequence();

    const double split = benchSplit(raw, sink);

    HitDetector plain;
    const double hits = benchHits(sequence, plain, sink);

    const double decode = benchDecode(sequence.at(1), sink);

    const double total = split + hits + decode;
    std::printf("poll tick, %d iterations each (sink %lld)\n", iterations,
                static_cast<long long>(sink));
    std::printf("  (a) split + shapes + debug text : %8.2f us\n", split);
    std::printf("  (b) hit detector tick           : %8.2f us\n", hits);
    std::printf("  (c) six-line screen decode      : %8.2f us\n", decode);
    std::printf("  total                           : %8.2f us = %.4f %% of a 100 ms tick\n", total,
                100.0 * total / tickMicroseconds);
    return 0;
}
