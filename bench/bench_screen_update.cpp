// One six-line poll tick on the real window: the replies are waiting on the
// line, PollRadio reads, splits, decodes and updates the screen boxes, and
// the event loop then paints what changed. The far end is a scripted
// pseudo-terminal, so nothing else runs. Prints microseconds per tick
// (median of many ticks, screen text changing every tick as while scanning;
// with "held" as the argument, the same replies every tick, as while the
// radio holds a channel).
#include "app/form1.h"
#include "support/radiofixture.h"
#include "support/scriptedpty.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray line16(const QByteArray &text)
{
    return text.leftJustified(16, ' ', true);
}

QByteArray replySet(int i)
{
    const QByteArray channel = "Channel " + QByteArray::number(i % 50);
    QByteArray sts = "STS,011000,";
    sts += line16("\x8d\x8e\x8f\x90    \xa8\xa9") + ",,";
    sts += line16("Bethel") + ",,";
    sts += line16(channel + " \x82") + ",,";
    sts += line16("\x9d\x9e\x9c\x9a 453.6000") + ",,";
    sts += line16("S0:-2*4***-9*") + ",,";
    sts += line16("GRP----------") + ",,";
    sts += (i % 20 < 10) ? "1,0,0,0" : "0,1,0,0";
    const QByteArray glg = "GLG,04536000,NFM,0,67,Bethel,Police," + channel + ",1,0";
    return sts + '\r' + glg + "\rWIN,86,04536000\r";
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RadioFixture fixture;
    ScriptedPty pty;
    fixture.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 60000));
    auto form = fixture.makeForm({pty.slavePath()});
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }

    const bool held = argc > 1 && qstrcmp(argv[1], "held") == 0;
    std::vector<double> tick, paint;
    for (int i = 0; i < 2000; ++i) {
        const QByteArray waiting = replySet(held ? 0 : i);
        pty.write(waiting);
        if (!QTest::qWaitFor([&] { return form->port().bytesWaiting() >= waiting.size(); }, 2000)) {
            std::fprintf(stderr, "the replies did not arrive\n");
            return 1;
        }
        pty.takeWritten();
        QElapsedTimer timer;
        timer.start();
        form->PollRadio();
        const double pollUs = timer.nsecsElapsed() / 1000.0;
        timer.restart();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const double paintUs = timer.nsecsElapsed() / 1000.0;
        if (i >= 100) {
            tick.push_back(pollUs);
            paint.push_back(paintUs);
        }
    }
    std::printf("six-line tick on the window%s, median of %zu ticks\n",
                held ? " (the same replies every tick)" : "", tick.size());
    std::printf("  read, split, decode, hit, screen boxes : %8.1f us\n", median(tick));
    std::printf("  painting what changed                  : %8.1f us\n", median(paint));
    std::printf("  together: %.3f %% of a 100 ms tick\n", (median(tick) + median(paint)) / 1000.0);
    return 0;
}
