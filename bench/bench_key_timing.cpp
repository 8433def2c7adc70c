// How the keys with waits come out on the wire: the lock key (one second
// between Func held and the key press) and a five-item macro (100 ms after
// each item), clicked on the real window running on the simulated radio with
// the poll at 100 ms. Prints the spacing of the commands by the radio's own
// clock, how long the line stayed taken, and how often the window repainted
// while the sequence waited (a child asks for a repaint every 20 ms). Run by
// hand; milliseconds.
#include "app/form1.h"
#include "link/commandsequencer.h"
#include "link/widgets/keybutton.h"
#include "sim/ptyradio.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int runs = 20;
constexpr int repaintEveryMs = 20;

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Runs the event loop the way the program's own loop runs, until the
// condition holds or the time is up. (QTest's waits sleep 10 ms between
// rounds of events, which would show up in the spacing measured here.)
bool runUntil(const std::function<bool()> &done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

struct Summary
{
    double median = 0;
    qint64 least = 0;
    qint64 most = 0;
    qsizetype count = 0;
};

Summary summarise(QList<qint64> values)
{
    Summary s;
    if (values.isEmpty())
        return s;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    s.median = n % 2 ? double(values.at(n / 2)) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2.0;
    s.least = values.first();
    s.most = values.last();
    s.count = n;
    return s;
}

void print(const char *what, const Summary &s, int nominal)
{
    std::printf("  %-38s n=%-3lld median %7.1f  min %5lld  max %5lld  (nominal %d)\n", what,
                static_cast<long long>(s.count), s.median, static_cast<long long>(s.least),
                static_cast<long long>(s.most), nominal);
}

QList<PtyRadio::Received> keyLines(const PtyRadio &radio)
{
    QList<PtyRadio::Received> out;
    for (const PtyRadio::Received &r : radio.received()) {
        if (r.line.startsWith("KEY,"))
            out.append(r);
    }
    return out;
}

struct Run
{
    QList<PtyRadio::Received> lines;
    qint64 busyMs = 0;
    int paints = 0;
    bool pollInside = false;
};

// Clicks the key, waits until its sequence has ended and the radio has got
// every line, and reports what the radio saw.
Run clickAndMeasure(Form1 &form, PtyRadio &radio, KeyButton *key, int expectedLines,
                    PaintCounter &counter)
{
    radio.clearReceived();
    counter.paints = 0;
    QElapsedTimer busy;
    busy.start();
    QTest::mouseClick(key, Qt::LeftButton, {}, key->rect().center());
    if (!runUntil([&] { return !form.sequencer().busy(); }, 10000))
        std::fprintf(stderr, "the sequence did not end\n");
    Run run;
    run.busyMs = busy.elapsed();
    run.paints = counter.paints;
    if (!runUntil([&] { return keyLines(radio).size() >= expectedLines; }, 5000))
        std::fprintf(stderr, "the radio did not get every line\n");
    run.lines = keyLines(radio);
    const QList<PtyRadio::Received> all = radio.received();
    bool inside = false;
    int seen = 0;
    for (const PtyRadio::Received &r : all) {
        if (r.line.startsWith("KEY,"))
            ++seen;
        else if (seen > 0 && seen < expectedLines)
            inside = true;
    }
    run.pollInside = inside;
    // Let a poll tick or two pass between runs, as between a user's clicks.
    runUntil([] { return false; }, 250);
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    PtyRadio radio;
    if (!radio.start()) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(radio.errorText()));
        return 1;
    }
    QTemporaryDir dataDir;
    Form1Options options;
    options.dataFolder = dataDir.path();
    options.givenPorts = {radio.slavePath()};
    options.listSystemPorts = false;
    options.showMessage = [](const QString &text) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    };
    Form1 form(options);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        std::fprintf(stderr, "the window was not exposed\n");
    form.runOnFirstPort();
    if (!form.isRunning()) {
        std::fprintf(stderr, "the window did not start running on the radio\n");
        return 1;
    }
    if (!runUntil([&] { return radio.radio().tick() >= 3; }, 5000))
        std::fprintf(stderr, "the poll did not start\n");

    auto *screenText = form.findChild<QLabel *>(QStringLiteral("Text1"));
    PaintCounter counter;
    screenText->installEventFilter(&counter);
    QTimer repaint;
    repaint.setTimerType(Qt::PreciseTimer);
    QObject::connect(&repaint, &QTimer::timeout, screenText, qOverload<>(&QWidget::update));
    // "--no-repaint" leaves out the repaint requests, to compare.
    const bool repaints = !app.arguments().contains(QStringLiteral("--no-repaint"));
    if (repaints)
        repaint.start(repaintEveryMs);

    std::printf("platform %s, poll every 100 ms, %d runs each, %s\n",
                qPrintable(QGuiApplication::platformName()), runs,
                repaints ? "a repaint asked for every 20 ms" : "no repaints asked for");

    // key_lock: "KEY,F,H", one second, "KEY,P,P", "KEY,F,R".
    auto *lock = form.findChild<KeyButton *>(QStringLiteral("key_lock"));
    QList<qint64> lockWait, lockTail, lockBusy, lockPaints;
    int lockPollInside = 0;
    for (int i = 0; i < runs; ++i) {
        const Run run = clickAndMeasure(form, radio, lock, 3, counter);
        if (run.lines.size() != 3) {
            std::fprintf(stderr, "lock run %d: %lld key lines\n", i,
                         static_cast<long long>(run.lines.size()));
            continue;
        }
        lockWait.append(run.lines.at(1).atMs - run.lines.at(0).atMs);
        lockTail.append(run.lines.at(2).atMs - run.lines.at(1).atMs);
        lockBusy.append(run.busyMs);
        lockPaints.append(run.paints);
        lockPollInside += run.pollInside;
    }
    std::printf("key_lock\n");
    print("KEY,F,H -> KEY,P,P on the wire", summarise(lockWait), 1000);
    print("KEY,P,P -> KEY,F,R on the wire", summarise(lockTail), 0);
    print("line taken (click to idle)", summarise(lockBusy), 1000);
    print("repaints of Text1 during the sequence", summarise(lockPaints), 1000 / repaintEveryMs);
    std::printf("  runs with a poll query inside the sequence: %d\n", lockPollInside);

    // A five-item macro: 100 ms after each item, the last one included.
    form.findChild<QLineEdit *>(QStringLiteral("m1"))
        ->setText(QStringLiteral("1,P 2,P 3,P 4,P 5,P"));
    auto *macro = form.findChild<KeyButton *>(QStringLiteral("key_m1"));
    QList<qint64> itemGaps, macroBusy, macroPaints, macroSpan;
    QList<qint64> gapAt[4];
    int macroPollInside = 0;
    for (int i = 0; i < runs; ++i) {
        const Run run = clickAndMeasure(form, radio, macro, 5, counter);
        if (run.lines.size() != 5) {
            std::fprintf(stderr, "macro run %d: %lld key lines\n", i,
                         static_cast<long long>(run.lines.size()));
            continue;
        }
        for (int k = 1; k < 5; ++k) {
            itemGaps.append(run.lines.at(k).atMs - run.lines.at(k - 1).atMs);
            gapAt[k - 1].append(run.lines.at(k).atMs - run.lines.at(k - 1).atMs);
        }
        macroSpan.append(run.lines.at(4).atMs - run.lines.at(0).atMs);
        macroBusy.append(run.busyMs);
        macroPaints.append(run.paints);
        macroPollInside += run.pollInside;
    }
    std::printf("five-item macro\n");
    print("item to item on the wire", summarise(itemGaps), 100);
    for (int k = 0; k < 4; ++k) {
        const QByteArray what =
            "  item " + QByteArray::number(k + 1) + " -> item " + QByteArray::number(k + 2);
        print(what.constData(), summarise(gapAt[k]), 100);
    }
    print("first to last item on the wire", summarise(macroSpan), 400);
    print("line taken (click to idle)", summarise(macroBusy), 500);
    print("repaints of Text1 during the sequence", summarise(macroPaints), 500 / repaintEveryMs);
    std::printf("  runs with a poll query inside the sequence: %d\n", macroPollInside);
    return 0;
}
