// Hit recording on a sound server of its own (scripts/sound-server): the
// delay from a hit's first active poll (the recording start) to the first
// captured sample, the delay from the end of a hit (the recording stop) to
// the wave file on disk, and the processor time of capturing against an
// idle event loop, and of the whole window polling the simulated radio ten
// times a second during a recorded hit against the same window between
// hits. A separate process feeds the input in real time.
#include "poll/hitrecording.h"
#include "poll/media/qtaudiorecorder.h"
#include "support/radiofixture.h"
#include "support/soundserver.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Share of one core this process used while the event loop ran for ms.
double cpuShareOver(int ms)
{
    QElapsedTimer wall;
    wall.start();
    const double before = processCpuSeconds();
    QTest::qWait(ms);
    return 100.0 * (processCpuSeconds() - before) / (double(wall.nsecsElapsed()) / 1e9);
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[size_t(p * double(values.size() - 1))];
}

} // namespace

// The window polling the simulated radio every 100 ms: CPU share between
// hits, then during one long hit recorded from the test input.
bool measureWindow(const SoundServer &sound, QTextStream &out, int phaseMs)
{
    RadioFixture f;
    f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 100));
    f.writeFile(QStringLiteral("pgm_settings.txt"), "0\r\n1\r\n0\r\n");
    f.writeFile(QStringLiteral("audio_settings.txt"), '"' + sound.inputId() + "\"\r\n");
    Reception hit;
    hit.system = "Marion County";
    hit.group = "Fire";
    hit.channel = "Dispatch";
    hit.frequency = "01540700";
    hit.gapTicks = (phaseMs + 3000) / 100;
    hit.activeTicks = (phaseMs + 5000) / 100;
    f.radio().radio().queueReception(hit);
    auto form = f.makeForm();
    QTest::qWait(1000);
    const double polling = cpuShareOver(phaseMs);
    if (form->hits().state().hit_active)
        return false;
    if (!QTest::qWaitFor([&] { return form->recording_active(); }, 20000))
        return false;
    const double recording = cpuShareOver(phaseMs);
    if (!form->recording_active())
        return false;
    out << "window over " << phaseMs / 1000 << " s: polling " << polling << " %, polling and "
        << "recording a hit " << recording << " % of one core (" << recording - polling
        << " % above idle polling)\n";
    return true;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    SoundServer sound;
    if (!sound.isUp()) {
        out << "no sound server: " << sound.errorText() << "\n";
        return 1;
    }
    QAudioDevice input;
    for (const QAudioDevice &device : QMediaDevices::audioInputs()) {
        if (device.id() == sound.inputId())
            input = device;
    }
    if (input.isNull()) {
        out << "the test input is not listed\n";
        return 1;
    }

    // 20 ms of silence every 20 ms, as a scanner's line output would.
    QProcess feeder;
    feeder.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("exec 3>\"$0\"; while :; do head -c 1764 /dev/zero >&3; "
                                 "sleep 0.02; done"),
                  sound.fifoPath()});
    QTemporaryDir temp;
    QTemporaryDir logs;
    QtAudioRecorder recorder;
    recorder.setInput(input);
    HitRecording recording(recorder, temp.path());

    constexpr int hits = 20;
    constexpr int hitMs = 1000;
    std::vector<double> toFirstSample;
    std::vector<double> toFile;
    for (int i = 0; i < hits; ++i) {
        recording.start(true, false);
        if (!QTest::qWaitFor([&] { return recorder.nsecsToFirstSample() >= 0; }, 5000)) {
            out << "no samples arrived (is the feeder running?)\n";
            return 1;
        }
        toFirstSample.push_back(double(recorder.nsecsToFirstSample()) / 1e6);
        QTest::qWait(hitMs);
        QElapsedTimer stop;
        stop.start();
        const HitRecording::Outcome outcome =
            recording.stop(true, false, logs.path(), QStringLiteral("hit%1.wav").arg(i));
        toFile.push_back(double(stop.nsecsElapsed()) / 1e6);
        if (outcome.savedPath.isEmpty()) {
            out << "not saved: " << outcome.message << "\n";
            return 1;
        }
    }
    out << "recording start to first captured sample: median " << percentile(toFirstSample, 0.5)
        << " ms, max " << percentile(toFirstSample, 1.0) << " ms (" << hits << " hits)\n";
    out << "end of hit to wave file on disk (1 s hits): median " << percentile(toFile, 0.5)
        << " ms, max " << percentile(toFile, 1.0) << " ms\n";

    constexpr int phaseMs = 10000;
    const double idle = cpuShareOver(phaseMs);
    recording.start(true, false);
    const double capturing = cpuShareOver(phaseMs);
    recording.stop(true, false, logs.path(), QStringLiteral("long.wav"));
    out << "CPU over " << phaseMs / 1000 << " s: idle " << idle << " %, recording " << capturing
        << " % of one core (" << capturing - idle << " % above idle)\n";

    if (!measureWindow(sound, out, phaseMs))
        out << "the window did not record the hit as planned\n";

    feeder.kill();
    feeder.waitForFinished();
    return 0;
}
