#include "app/commandline.h"
#include "app/displayconnection.h"
#include "app/form1.h"
#include "app/signalwatcher.h"
#include "app/startahead.h"

#include "sim/ptyradio.h"
#include "sim/scenario.h"
#include "store/historyexport.h"
#include "store/hitdatabase.h"

#include <QApplication>
#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>
#include <memory>

namespace {

// The demo's radio plays one long scenario after another.
void keepScenarioGoing(PtyRadio &radio, quint32 &seed)
{
    if (radio.radio().pendingCount() >= 5)
        return;
    const Scenario next = Scenario::generate(seed++, 200, 12.0);
    for (const Reception &reception : next.receptions())
        radio.radio().queueReception(reception);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));
    // The command line is read before the window system starts: help, the
    // version and mistakes need no display.
    if (asksForInfo(given)) {
        // The help text names the program, which takes an application object.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("tollvane"));
        const CommandLine line = parseCommandLine(withoutWindowSystemOptions(given));
        if (line.info.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(line.error));
            return 2;
        }
        std::fputs(qPrintable(line.info), stdout);
        return 0;
    }
    const CommandLine line = parseCommandLine(withoutWindowSystemOptions(given));
    if (!line.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(line.error));
        return 2;
    }
    if (!line.exportHistory.isEmpty()) {
        QCoreApplication core(argc, argv);
        const QString dataFolder = resolveDataFolder(line.dataDir, line.demo);
        const QString error =
            exportHistory(HitDatabase::fileIn(dataFolder), {dataFolder},
                          HistoryFilter{line.find, line.from, line.to, false}, line.exportHistory);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        return 0;
    }

    // Fonts and serial devices are looked up while the application connects
    // to the display.
    chooseDisplayTransfer();
    StartAhead ahead;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tollvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tollvane"));
    // Watch for SIGTERM and SIGINT from the start; they are acted on once
    // the event loop runs, when the window exists to be closed.
    SignalWatcher signals;

    std::unique_ptr<PtyRadio> radio;
    quint32 seed = QRandomGenerator::global()->generate();
    QTimer scenarioTimer;
    Form1Options options;
    options.givenPorts = line.ports;
    options.systemPorts = [&ahead] { return ahead.systemPorts(); };
    if (line.demo) {
        radio = std::make_unique<PtyRadio>();
        keepScenarioGoing(*radio, seed);
        if (!radio->start()) {
            std::fprintf(stderr, "The simulated radio could not start: %s\n",
                         qPrintable(radio->errorText()));
            return 1;
        }
        options.givenPorts.prepend(radio->slavePath());
        QObject::connect(&scenarioTimer, &QTimer::timeout, &app,
                         [&radio, &seed] { keepScenarioGoing(*radio, seed); });
        scenarioTimer.start(10000);
    }
    options.dataFolder = resolveDataFolder(line.dataDir, line.demo);

    ahead.waitForFonts();
    Form1 window(options);
    if (line.demo)
        window.runOnFirstPort();

    QObject::connect(&signals, &SignalWatcher::terminationRequested, &window, &Form1::close);

    window.show();
    return app.exec();
}
