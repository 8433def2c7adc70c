// The soak: the window polls the simulated radio in this process, one poll
// per tick of an injected clock that moves 100 ms a tick, for 1,000,000
// ticks (about 28 hours of radio time) by default, while the radio plays
// receptions of every kind. Then it checks that
//  - the window logged exactly the hits the radio's own record says it
//    played with names,
//  - the run's log file holds the log text's lines,
//  - the resident memory grew after the first 10,000 ticks by no more than
//    the log takes: the log text, and the log box's document of the same
//    lines (about a kilobyte a line however long the run; a leak of a few
//    bytes a tick shows as more). Free memory the allocator holds is given
//    back before each measure.
// Prints the memory curve as it goes. Run by hand:
//
//   bench_soak [TICKS] [RECEPTIONS_PER_MINUTE]
//
// Exits 1 when a check fails.
#include "app/largeblocks.h"
#include "support/radiofixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <limits>
#include <malloc.h>

namespace {

constexpr int defaultTicks = 1000000;
constexpr double defaultRate = 6;
constexpr int settleTicks = 10000;
constexpr int reportEvery = 50000;
constexpr int receptionsPerScenario = 500;
// What the log may cost in memory, as a multiple of the log text's own
// memory: the one copy, the room its string keeps for growing (up to as much
// again), the line index and the table's capped rows.
constexpr qint64 timesTheLogText = 3;
// Plus what the allocator and Qt's caches still settle after tick 10,000,
// whatever the number of hits.
constexpr qint64 settlingKiB = 1024;

// Resident memory of this process in KiB, from /proc, after the allocator
// has given back to the system what it holds free.
qint64 residentKiB()
{
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Keeps the radio supplied with receptions, a seeded scenario at a time, and
// counts what its record says it played.
class Supply
{
public:
    Supply(SimRadio &radio, double rate) : m_radio(radio), m_rate(rate) {}

    void topUp()
    {
        if (m_radio.pendingCount() > 10)
            return;
        const Scenario next = Scenario::generate(m_seed++, receptionsPerScenario, m_rate);
        for (const Reception &reception : next.receptions())
            m_radio.queueReception(reception);
    }

    void collect()
    {
        for (const Reception &reception : m_radio.takeGroundTruth()) {
            ++m_played[int(reception.kind)];
            m_logged += reception.expectLogged ? 1 : 0;
        }
    }

    qint64 logged() const { return m_logged; }
    qint64 played(Reception::Kind kind) const { return m_played[int(kind)]; }

private:
    SimRadio &m_radio;
    double m_rate;
    quint32 m_seed = 1;
    qint64 m_logged = 0;
    qint64 m_played[5] = {};
};

// Drives the window's poll and waits until the radio's answers to it are
// all in the window's port, so every poll reads exactly the previous one's
// replies, however busy the machine is.
class PollDriver
{
public:
    PollDriver(Form1 &form, PtyRadio &radio) : m_form(form), m_radio(radio)
    {
        QObject::connect(&radio, &PtyRadio::commandReceived, &radio,
                         [this](const QByteArray &line) {
                             if (line == "WIN")
                                 ++m_answeredPolls;
                         });
    }

    bool poll()
    {
        const qint64 waiting = m_form.port().bytesWaiting();
        if (waiting > 1)
            m_taken += waiting;
        m_form.PollRadio();
        ++m_polls;
        QElapsedTimer timer;
        timer.start();
        while (m_answeredPolls < m_polls || m_radio.hasUnsentReplies() ||
               m_taken + m_form.port().bytesWaiting() < m_radio.bytesSent()) {
            if (timer.elapsed() > 10000)
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }

private:
    Form1 &m_form;
    PtyRadio &m_radio;
    qint64 m_polls = 0;
    qint64 m_answeredPolls = 0;
    qint64 m_taken = 0;
};

} // namespace

int main(int argc, char **argv)
{
    // As the program does at its start.
    giveLargeBlocksBack();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int ticks = args.size() > 1 ? args.at(1).toInt() : defaultTicks;
    const double rate = args.size() > 2 ? args.at(2).toDouble() : defaultRate;
    if (ticks < settleTicks || rate <= 0) {
        std::fprintf(stderr, "usage: bench_soak [TICKS >= %d] [RECEPTIONS_PER_MINUTE]\n",
                     settleTicks);
        return 2;
    }
    QTextStream out(stdout);

    RadioFixture f;
    f.radio().setLogging(false);
    f.radio().setReplyDelayMs(0);
    f.radio().setBaud(std::numeric_limits<int>::max());
    // The poll is driven tick by tick from here, not by the window's timer.
    f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 60000));
    // Tab 0, no recording, "Log To Text File" ticked.
    f.writeFile(QStringLiteral("pgm_settings.txt"), "0\r\n0\r\n1\r\n");
    f.clock.set(QDateTime(QDate(2026, 12, 6), QTime(15, 45, 12)));
    Supply supply(f.radio().radio(), rate);
    supply.topUp();
    auto form = f.makeForm();
    if (!form->isRunning()) {
        out << "the window does not run on the simulated radio\n";
        return 1;
    }
    form->findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
    PollDriver driver(*form, f.radio());

    out << "soak: " << ticks << " ticks, " << rate << " receptions a minute\n"
        << "     tick   wall s   RSS MiB   hits logged   log text KiB\n";
    out.flush();
    QElapsedTimer wall;
    wall.start();
    qint64 settledKiB = 0;
    const auto report = [&](int tick) {
        const qint64 rss = residentKiB();
        out << QString::asprintf("%9d %8.1f %9.1f %13lld %14.1f\n", tick, wall.elapsed() / 1000.0,
                                 rss / 1024.0, static_cast<long long>(form->hitLog().lineCount()),
                                 form->hitLog().text().size() * 2 / 1024.0);
        out.flush();
        return rss;
    };
    for (int tick = 1; tick <= ticks; ++tick) {
        f.clock.set(f.clock.now().addMSecs(100));
        supply.topUp();
        if (!driver.poll()) {
            out << "the radio stopped answering at tick " << tick << "\n";
            return 1;
        }
        if (tick % 1000 == 0)
            supply.collect();
        if (tick == settleTicks)
            settledKiB = report(tick);
        else if (tick % reportEvery == 0)
            report(tick);
    }
    // Let the reception on the air end and the window see its end.
    f.radio().radio().setScenario(Scenario());
    int extra = 0;
    while ((!f.radio().radio().isIdle() || form->hits().state().hit_active) && extra < 2000) {
        f.clock.set(f.clock.now().addMSecs(100));
        driver.poll();
        ++extra;
    }
    driver.poll();
    supply.collect();
    form->flushLogFile();
    const qint64 endKiB = report(ticks + extra);
    const double seconds = wall.elapsed() / 1000.0;

    const QString text = form->hitLog().text();
    const QByteArray file = readWholeFile(form->hitLogFilePath());
    const QStringList fileLines = QString::fromUtf8(file).split(QStringLiteral("\r\n"));
    const QStringList textLines = text.split(QStringLiteral("\r\n"));
    const bool fileMatches =
        fileLines.mid(0, fileLines.size() - 1) == textLines && fileLines.constLast().isEmpty();
    const qint64 textKiB = text.size() * 2 / 1024;
    const qint64 grownKiB = endKiB - settledKiB;
    const qint64 allowedKiB = textKiB * timesTheLogText + settlingKiB;

    using Kind = Reception::Kind;
    out << QString::asprintf(
        "played: %lld conventional, %lld trunked, %lld P25, %lld Close Call, %lld blips\n",
        static_cast<long long>(supply.played(Kind::Conventional)),
        static_cast<long long>(supply.played(Kind::Trunked)),
        static_cast<long long>(supply.played(Kind::P25)),
        static_cast<long long>(supply.played(Kind::CloseCall)),
        static_cast<long long>(supply.played(Kind::Blip)));
    out << QString::asprintf("wall time %.1f s (%.1f us a tick)\n", seconds,
                             seconds * 1e6 / (ticks + extra));
    bool ok = true;
    const auto check = [&](bool met, const QString &what) {
        out << (met ? "ok    " : "FAIL  ") << what << "\n";
        ok = ok && met;
    };
    check(form->hitLog().lineCount() == supply.logged(),
          QStringLiteral("hits logged %1, the radio played %2 with names")
              .arg(form->hitLog().lineCount())
              .arg(supply.logged()));
    check(fileMatches, QStringLiteral("the log file (%1 lines) holds the log text's lines (%2)")
                           .arg(fileLines.size() - 1)
                           .arg(textLines.size()));
    check(grownKiB <= allowedKiB,
          QStringLiteral("RSS grew %1 KiB after tick %2 (at most %3 KiB for %4 lines); the log "
                         "text is %5 KiB")
              .arg(grownKiB)
              .arg(settleTicks)
              .arg(allowedKiB)
              .arg(form->hitLog().lineCount())
              .arg(textKiB));
    return ok ? 0 : 1;
}
