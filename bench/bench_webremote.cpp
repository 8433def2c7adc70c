// The web remote's cost: the window's thread runs the server and changes the
// screen ten times a second, as while scanning; the pages are WebSockets on
// a thread of their own, so their work is not counted. Prints the server
// thread's CPU share with no page and with 20 pages connected, and how far
// behind the pages saw each screen. Fails when 20 pages cost more than half
// a percent of a core over none, or a screen reached a page later than
// 150 ms. usage: bench_webremote [SECONDS per run, default 10]
#include "web/server/webremoteserver.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int pages = 20;

qint64 nowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// When each screen was handed to the server, and how late each page saw it.
struct Delays
{
    QMutex mutex;
    std::vector<qint64> sentUs;
    std::vector<double> delaysMs;
};

struct Run
{
    double cpuShare = 0;
    std::vector<double> delaysMs;
};

Run measure(int pageCount, double seconds)
{
    WebRemoteServer server;
    QString error;
    if (!server.start({0, false, {}}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        std::exit(1);
    }
    Delays delays;
    QThread pageThread;
    pageThread.start();
    std::vector<std::unique_ptr<QWebSocket>> sockets;
    int connected = 0;
    QMutex connectedMutex;
    const QString origin = QStringLiteral("http://127.0.0.1:%1").arg(server.port());
    for (int i = 0; i < pageCount; ++i) {
        auto socket = std::make_unique<QWebSocket>(origin);
        socket->moveToThread(&pageThread);
        QWebSocket *s = socket.get();
        QObject::connect(s, &QWebSocket::connected, s, [&] {
            QMutexLocker lock(&connectedMutex);
            ++connected;
        });
        QObject::connect(s, &QWebSocket::textMessageReceived, s, [&](const QString &text) {
            const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
            if (m.value(QStringLiteral("t")).toString() != QLatin1String("screen"))
                return;
            const int tick = m.value(QStringLiteral("lines")).toArray().at(0).toString().toInt();
            QMutexLocker lock(&delays.mutex);
            if (tick > 0 && tick <= int(delays.sentUs.size()))
                delays.delaysMs.push_back((nowUs() - delays.sentUs[tick - 1]) / 1000.0);
        });
        QMetaObject::invokeMethod(s, [s, port = server.port()] {
            s->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
        });
        sockets.push_back(std::move(socket));
    }
    while (true) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QMutexLocker lock(&connectedMutex);
        if (connected == pageCount)
            break;
    }
    int tick = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        ++tick;
        {
            QMutexLocker lock(&delays.mutex);
            delays.sentUs.push_back(nowUs());
        }
        server.setScreen({{QString::number(tick), QStringLiteral("Bethel"),
                           QStringLiteral("Channel %1").arg(tick % 50), QStringLiteral("453.6000"),
                           QStringLiteral("S0:-2*4***-9*"), QStringLiteral("GRP----------")},
                          tick % 6});
    });
    const double cpuBefore = threadCpuSeconds();
    const qint64 wallBefore = nowUs();
    ticks.start(100);
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    ticks.stop();
    Run run;
    run.cpuShare = (threadCpuSeconds() - cpuBefore) / ((nowUs() - wallBefore) / 1e6);
    for (auto &socket : sockets) {
        QWebSocket *s = socket.release();
        QMetaObject::invokeMethod(s, [s] { s->deleteLater(); });
    }
    pageThread.quit();
    pageThread.wait();
    QMutexLocker lock(&delays.mutex);
    run.delaysMs = delays.delaysMs;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10.0;
    const Run idle = measure(0, seconds);
    const Run busy = measure(pages, seconds);
    std::vector<double> delays = busy.delaysMs;
    std::sort(delays.begin(), delays.end());
    const double median = delays.empty() ? 0 : delays[delays.size() / 2];
    const double worst = delays.empty() ? 0 : delays.back();
    const double extra = (busy.cpuShare - idle.cpuShare) * 100;
    std::printf("web remote, screen changing 10 times a second: %.2f%% of a core with no page, "
                "%.2f%% with %d pages (%.2f%% more); the pages saw %zu screens, "
                "%.1f ms behind (median), %.1f ms at worst\n",
                idle.cpuShare * 100, busy.cpuShare * 100, pages, extra, delays.size(), median,
                worst);
    return extra < 0.5 && worst < 150 && !delays.empty() ? 0 : 1;
}
