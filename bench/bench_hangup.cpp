// The radio's line hung up by the kernel (as when its USB adapter is pulled
// out) while the window runs with a poll of once a minute, so that no write
// can notice the loss. Prints how long until the user is told, and the
// program's CPU share over the 10 s after the hang-up: once with the device
// still present (it is opened again) and once with the device gone for good
// (the window watches for it once a second). Needs the right to hang up a
// terminal (TIOCVHANGUP). Run by hand; milliseconds and percent of one core.
#include "app/form1.h"
#include "sim/ptyradio.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

double cpuSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

bool run(bool deviceGone)
{
    QTemporaryDir data;
    PtyRadio radio;
    if (!radio.start())
        return false;
    const QString link = data.filePath(QStringLiteral("radio-link"));
    QFile::link(radio.slavePath(), link);
    QFile com(data.filePath(QStringLiteral("com_settings.txt")));
    if (!com.open(QIODevice::WriteOnly))
        return false;
    com.write("0\r\n4\r\n60000\r\n");
    com.close();

    QElapsedTimer sinceHangUp;
    double toldAfterMs = -1;
    Form1Options options;
    options.dataFolder = data.path();
    options.givenPorts = {link};
    options.listSystemPorts = false;
    options.showMessage = [&](const QString &) {
        if (toldAfterMs < 0)
            toldAfterMs = double(sinceHangUp.nsecsElapsed()) / 1e6;
    };
    Form1 form(options);
    if (!form.port().isOpen())
        return false;
    QTest::qWait(200);

    const int fd =
        ::open(QFile::encodeName(radio.slavePath()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const double cpuBefore = cpuSeconds();
    sinceHangUp.start();
    const bool hungUp = fd >= 0 && ::ioctl(fd, TIOCVHANGUP) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!hungUp) {
        std::printf("no right to hang up a terminal here (TIOCVHANGUP)\n");
        return false;
    }
    if (deviceGone)
        radio.unplug();
    QTest::qWait(10000);
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = double(sinceHangUp.elapsed()) / 1000.0;
    std::printf("%-28s told after %.2f ms; CPU %.3f s in %.1f s = %.2f%% of one core; "
                "running again: %s\n",
                deviceGone ? "hang-up, device gone:" : "hang-up, device stays:", toldAfterMs, cpu,
                wall, 100.0 * cpu / wall, form.isRunning() ? "yes" : "no");
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return run(false) && run(true) ? 0 : 1;
}
