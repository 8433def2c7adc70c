// Shows a window, waits for its first paint, and quits. Built three times:
// as startup_tollvane with Tollvane's main window, as startup_bare with a
// plain Qt window of the same size, and as startup_text with that window
// holding one line of text. bench/startup_time.sh times both from
// the outside, in the same run, and gives the ratio.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

#ifdef TOLLVANE_WINDOW
#include "app/displayconnection.h"
#include "app/form1.h"
#include "app/startahead.h"
#include "window/widgets/groupboxframestyle.h"

#include <QTemporaryDir>
#else
#include "link/twips.h"

#include <QLabel>
#include <QWidget>
#endif

namespace {

// The process's resident memory now, from the kernel's status of it.
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

// Sees the window's first paint before anything else in the program does
// (the application's newest event filter runs first) and quits once it has
// been painted; work the window leaves for after its first paint is not
// counted, as the user already sees the window then.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QObject *window) : m_window(window) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Once this paint has reached the screen, tell the times and
            // end the process at once: what the window leaves for later is
            // not start-up.
            QTimer::singleShot(0, qApp, [this] {
                std::printf("application %.1f ms, window built %.1f ms, painted %.1f ms, "
                            "resident %.1f MiB\n",
                            appMs, windowMs, clock->nsecsElapsed() / 1e6, residentMiB());
                std::fflush(stdout);
                ::_exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QObject *m_window;
    bool m_seen = false;

public:
    const QElapsedTimer *clock = nullptr;
    double appMs = 0;
    double windowMs = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
#ifdef TOLLVANE_WINDOW
    // As Tollvane's main() does.
    DisplayChoices display;
    StartAhead ahead;
#endif
    QApplication app(argc, argv);
#ifdef TOLLVANE_WINDOW
    display.forget();
#endif
    const double appMs = clock.nsecsElapsed() / 1e6;
#ifdef TOLLVANE_WINDOW
    QApplication::setStyle(new GroupBoxFrameStyle);
    // The data folder: the first argument, or a new empty one (a first start).
    // The second names a serial device as --port does.
    QTemporaryDir scratch;
    Form1Options options;
    options.dataFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path();
    if (argc > 2)
        options.givenPorts.append(QString::fromLocal8Bit(argv[2]));
    ahead.waitForFonts();
    Form1 window(options);
#else
    QWidget window;
    window.resize(twipsToPixels(11625), twipsToPixels(8370));
#ifdef ONE_LINE_OF_TEXT
    // The least any window with text pays: the font system starts.
    QLabel line(QStringLiteral("Tollvane"), &window);
    line.move(10, 10);
#endif
#endif
    const double windowMs = clock.nsecsElapsed() / 1e6;
    // Inside the program, from main(): the application made, the window
    // built, the first paint done.
    FirstPaint firstPaint(&window);
    firstPaint.clock = &clock;
    firstPaint.appMs = appMs;
    firstPaint.windowMs = windowMs;
    app.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}
