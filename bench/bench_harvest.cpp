// The harvest of 1,000 channels in 10 systems of 10 groups each, read from
// the simulated radio at 115200 baud with its answer delay of 3 ms. Prints
// the time taken against a fixed 200 ms wait per command and against the
// time the bytes need on the wire plus the radio's answer delays. Run by
// hand; seconds.
#include "intel/harvestdriver.h"
#include "link/radioexchange.h"
#include "link/radioport.h"
#include "sim/ptyradio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int runs = 3;
constexpr int baud = 115200;
constexpr int answerDelayMs = 3;
constexpr double fixedWaitS = 0.2;

struct Run
{
    double seconds = 0;
    qsizetype commands = 0;
    qsizetype bytesIn = 0;
    qsizetype bytesOut = 0;
    qsizetype channels = 0;
    int cut = 0;
};

bool harvestOnce(PtyRadio &radio, Run &run)
{
    RadioPort port;
    if (!port.OpenRadioPort(radio.slavePath(), baud))
        return false;
    RadioExchange exchange(port);
    HarvestDriver driver(exchange);
    QEventLoop loop;
    QObject::connect(&driver, &HarvestDriver::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    radio.clearReceived();
    const qsizetype sentBefore = radio.rawSent().size();

    QElapsedTimer clock;
    clock.start();
    driver.start();
    loop.exec();
    run.seconds = clock.nsecsElapsed() / 1e9;

    port.SendCommand("EPG");
    run.commands = radio.received().size();
    run.bytesIn = radio.rawReceived().size();
    run.bytesOut = radio.rawSent().size() - sentBefore;
    run.channels = driver.walk().channels().size();
    run.cut = driver.walk().chainsCut();
    return driver.walk().finished();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    PtyRadio radio;
    if (!radio.start()) {
        std::fprintf(stderr, "bench_harvest: %s\n", qPrintable(radio.errorText()));
        return 1;
    }
    radio.setBaud(baud);
    radio.setReplyDelayMs(answerDelayMs);
    radio.radio().memory().setSystems(SimMemory::generated(10, 10, 10));

    QList<double> times;
    Run run;
    for (int i = 0; i < runs; ++i) {
        if (!harvestOnce(radio, run)) {
            std::fprintf(stderr, "bench_harvest: the harvest did not finish\n");
            return 1;
        }
        times.append(run.seconds);
    }
    std::sort(times.begin(), times.end());
    // The commands of the walk, without the "EPG" sent after it.
    const qsizetype commands = run.commands - 1;
    const double replyWireS = double(run.bytesOut) * 10 / baud;
    const double commandWireS = double(run.bytesIn) * 10 / baud;
    const double delaysS = commands * answerDelayMs / 1000.0;
    const double floorS = replyWireS + commandWireS + delaysS;

    std::printf("harvest of %lld channels, %lld commands, %d chains cut, %d baud:\n",
                static_cast<long long>(run.channels), static_cast<long long>(commands), run.cut,
                baud);
    std::printf("  measured (median of %d)          %8.2f s  (min %.2f, max %.2f)\n", runs,
                times.at(runs / 2), times.first(), times.last());
    std::printf("  fixed 200 ms per command          %8.2f s\n", commands * fixedWaitS);
    std::printf("  wire time + answer delays         %8.2f s  (replies %.2f, commands %.2f, "
                "delays %.2f)\n",
                floorS, replyWireS, commandWireS, delaysS);
    std::printf("  measured / (wire + delays)        %8.2f   (goal: at most 1.5)\n",
                times.at(runs / 2) / floorS);
    return 0;
}
