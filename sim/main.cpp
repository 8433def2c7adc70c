// tollvane-radio-sim: a simulated radio on a pseudo-terminal. Prints the
// device to open and plays receptions until SIGINT or SIGTERM.

#include "sim/ptyradio.h"
#include "sim/scenario.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

constexpr int receptionsPerScenario = 50;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tollvane-radio-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated BCD396T radio served on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed of the first scenario."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption rateOption(QStringLiteral("rate"),
                                        QStringLiteral("Receptions per minute."),
                                        QStringLiteral("R"), QStringLiteral("6"));
    const QCommandLineOption baudOption(QStringLiteral("baud"),
                                        QStringLiteral("Line speed for reply timing."),
                                        QStringLiteral("B"), QStringLiteral("115200"));
    const QCommandLineOption pointedOption(
        QStringLiteral("pointed-frequency"),
        QStringLiteral("Send a conventional channel's frequency in GLG as 0463.0000."));
    const QCommandLineOption olderOption(
        QStringLiteral("older-sin-layout"),
        QStringLiteral("Answer SIN with the 15 fields of the radio's older siblings."));
    parser.addOptions({seedOption, rateOption, baudOption, pointedOption, olderOption});
    parser.process(app);

    bool seedOk = false;
    bool rateOk = false;
    bool baudOk = false;
    quint32 seed = parser.value(seedOption).toUInt(&seedOk);
    const double rate = parser.value(rateOption).toDouble(&rateOk);
    const int baud = parser.value(baudOption).toInt(&baudOk);
    if (!seedOk || !rateOk || rate <= 0 || !baudOk || baud <= 0) {
        std::fprintf(stderr, "tollvane-radio-sim: bad --seed, --rate or --baud value\n");
        return 2;
    }

    // SIGINT and SIGTERM arrive as readable data on a descriptor, so the
    // event loop ends in the ordinary way.
    // A shell starts background jobs with SIGINT ignored; an ignored signal
    // never reaches the descriptor, so both get their default back first.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int signalFd = signalfd(-1, &stopSignals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (signalFd < 0) {
        std::perror("tollvane-radio-sim: signalfd");
        return 1;
    }
    QSocketNotifier stopNotifier(signalFd, QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    PtyRadio radio;
    radio.setBaud(baud);
    radio.setLogging(false);
    radio.radio().memory().setOlderSystemLayout(parser.isSet(olderOption));
    if (!radio.start()) {
        std::fprintf(stderr, "tollvane-radio-sim: %s\n", qPrintable(radio.errorText()));
        return 1;
    }
    radio.radio().setPointedFrequencies(parser.isSet(pointedOption));
    radio.radio().setScenario(Scenario::generate(seed, receptionsPerScenario, rate));
    qint64 commands = 0;
    QObject::connect(&radio, &PtyRadio::commandReceived, &radio,
                     [&commands] { ++commands; });
    QObject::connect(&radio, &PtyRadio::commandReceived, &radio, [&radio, &seed, rate] {
        if (radio.radio().pendingCount() == 0 && !radio.radio().isHolding())
            radio.radio().setScenario(Scenario::generate(++seed, receptionsPerScenario, rate));
    });

    std::printf("%s\n", qPrintable(radio.slavePath()));
    std::fflush(stdout);

    const int result = app.exec();
    // What was asked of the radio, for those who time the program polling it.
    std::fprintf(stderr, "commands received: %lld\n", static_cast<long long>(commands));
    ::close(signalFd);
    return result;
}
