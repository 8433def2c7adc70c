#include "app/commandline.h"
#include "app/datafolderlock.h"
#include "app/displayconnection.h"
#include "app/form1.h"
#include "app/largeblocks.h"
#include "app/runninginstance.h"
#include "app/signalwatcher.h"
#include "app/startahead.h"

#include "sim/ptyradio.h"
#include "sim/scenario.h"
#include "store/historyexport.h"
#include "store/hitdatabase.h"
#include "window/widgets/groupboxframestyle.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
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

// A second start on a data folder in use: says who holds it and offers to
// show that program's window. Returns the exit code.
int turnAway(const QString &dataFolder, const DataFolderLock::Holder &holder,
             const SignalWatcher &signals)
{
    const QString text = lockHeldText(dataFolder, holder);
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tollvane"), text);
    QPushButton *show =
        box.addButton(QStringLiteral("Show the Running Window"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Quit"), QMessageBox::RejectRole);
    box.setDefaultButton(show);
    // Told to end while it asks: it ends as Quit would.
    QObject::connect(&signals, &SignalWatcher::terminationRequested, &box, &QMessageBox::reject);
    box.exec();
    if (box.clickedButton() != show)
        return 1;
    if (RunningInstance::askToShow(dataFolder))
        return 0;
    std::fprintf(stderr, "The running Tollvane could not be reached.\n");
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    giveLargeBlocksBack();
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

    // The font configuration is read while the application connects to the
    // display.
    DisplayChoices display;
    StartAhead ahead;
    QApplication app(argc, argv);
    display.forget();
    QApplication::setApplicationName(QStringLiteral("tollvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tollvane"));
    // The desktop's style, with Fusion's group box frame read without
    // loading every image format plugin.
    QApplication::setStyle(new GroupBoxFrameStyle);
    // Watch for SIGTERM and SIGINT from the start; they are acted on once
    // the event loop runs, when the window exists to be closed.
    SignalWatcher signals;

    // One program per data folder: both would write the same settings and
    // log files.
    const QString dataFolder = resolveDataFolder(line.dataDir, line.demo);
    DataFolderLock lock(dataFolder);
    switch (lock.take()) {
    case DataFolderLock::Outcome::Taken:
        break;
    case DataFolderLock::Outcome::HeldElsewhere:
        return turnAway(dataFolder, lock.holder(), signals);
    case DataFolderLock::Outcome::NotPossible:
        std::fprintf(stderr,
                     "tollvane: the data folder %s could not be locked; another "
                     "Tollvane on it would not be noticed.\n",
                     qPrintable(dataFolder));
        break;
    }
    RunningInstance instance(dataFolder);
    instance.listen();

    std::unique_ptr<PtyRadio> radio;
    quint32 seed = QRandomGenerator::global()->generate();
    QTimer scenarioTimer;
    Form1Options options;
    options.givenPorts = line.ports;
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
    options.dataFolder = dataFolder;
    if (line.webPort != 0)
        options.webPort = line.webPort;

    ahead.waitForFonts();
    Form1 window(options);
    if (line.demo)
        window.runOnFirstPort();

    // Told to end (SIGTERM, SIGINT, SIGHUP), the window closes as a user
    // would close it, and any box still open goes with the event loops.
    QObject::connect(&signals, &SignalWatcher::terminationRequested, &window, [&window] {
        window.close();
        QCoreApplication::quit();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &Form1::close);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, &Form1::saveForSessionEnd);
    QObject::connect(&instance, &RunningInstance::showRequested, &window,
                     &Form1::showRunningWindow);

    window.show();
    return app.exec();
}
