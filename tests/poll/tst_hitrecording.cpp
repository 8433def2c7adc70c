// The recording of each hit against a recorder that writes plain files: when
// it starts and stops, what is kept, the names it saves under, and how
// failures are reported. Also the wave header, the choice of the audio input
// and its level.
#include "poll/audioinputchoice.h"
#include "poll/hitrecording.h"
#include "poll/wavefile.h"
#include "poll/widgets/qtaudiorecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Writes its "capture" at stop; each command can be made to fail.
class FileRecorder : public AudioRecorder
{
public:
    bool Open(const QString &tempPath) override
    {
        ++opens;
        path = tempPath;
        return !failOpen || fail(QStringLiteral("no audio input was found"));
    }
    bool Record() override { return true; }
    bool stop() override
    {
        QFile file(path);
        return path.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(capture) >= 0);
    }
    bool save(const QString &to) override { return moveRecordingFile(path, to, &error); }
    void close() override { ++closes; }
    QString errorText() const override { return error; }

    bool fail(const QString &why)
    {
        error = why;
        return false;
    }

    bool failOpen = false;
    int opens = 0;
    int closes = 0;
    QString path;
    QString error;
    QByteArray capture = "RIFF";
};

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestHitRecording : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsOnlyWhenWantedAndOncePerHit_data()
    {
        QTest::addColumn<bool>("recordAudio");
        QTest::addColumn<bool>("skipped");
        QTest::addColumn<int>("opens");
        QTest::newRow("ticked") << true << false << 1;
        QTest::newRow("not ticked") << false << false << 0;
        QTest::newRow("skipped") << true << true << 0;
    }

    void startsOnlyWhenWantedAndOncePerHit()
    {
        QFETCH(bool, recordAudio);
        QFETCH(bool, skipped);
        QFETCH(int, opens);
        QTemporaryDir temp;
        FileRecorder recorder;
        HitRecording recording(recorder, temp.path());
        for (int tick = 0; tick < 3; ++tick)
            recording.start(recordAudio, skipped);
        QCOMPARE(recorder.opens, opens);
        QCOMPARE(recording.recording_active(), opens == 1);
        QCOMPARE(recording.recording_counter(), 1 + opens);
        if (opens)
            QCOMPARE(recorder.path, temp.filePath(QStringLiteral("temp2")));
    }

    void aHitThatMustLeaveNoFileIsThrownAwayAtItsOwnEnd_data()
    {
        QTest::addColumn<bool>("recordAudio");
        QTest::addColumn<bool>("skipped");
        QTest::newRow("skipped at its end") << true << true;
        QTest::newRow("box cleared mid-hit") << false << false;
    }

    void aHitThatMustLeaveNoFileIsThrownAwayAtItsOwnEnd()
    {
        QFETCH(bool, recordAudio);
        QFETCH(bool, skipped);
        QTemporaryDir temp;
        QTemporaryDir logs;
        FileRecorder recorder;
        HitRecording recording(recorder, temp.path());
        recording.start(true, false);
        recorder.capture = "first hit";
        recording.stop(recordAudio, skipped, logs.path(), QStringLiteral("a.wav"));
        QVERIFY(!recording.recording_active());
        QVERIFY(filesIn(temp.path()).isEmpty());
        QVERIFY(filesIn(logs.path()).isEmpty());

        // The next hit records afresh and saves only its own capture.
        recording.start(true, false);
        QCOMPARE(recorder.opens, 2);
        recorder.capture = "second hit";
        const HitRecording::Outcome outcome =
            recording.stop(true, false, logs.path(), QStringLiteral("b.wav"));
        QCOMPARE(outcome.savedPath, logs.filePath(QStringLiteral("b.wav")));
        QCOMPARE(filesIn(logs.path()), QStringList{QStringLiteral("b.wav")});
        QCOMPARE(readFile(outcome.savedPath), QByteArray("second hit"));
    }

    void aTakenNameGetsTheNextNumber_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("free") << QStringList() << QStringLiteral("x.wav");
        QTest::newRow("taken") << QStringList{QStringLiteral("x.wav")}
                               << QStringLiteral("x (2).wav");
        QTest::newRow("two taken")
            << QStringList{QStringLiteral("x.wav"), QStringLiteral("x (2).wav")}
            << QStringLiteral("x (3).wav");
    }

    void aTakenNameGetsTheNextNumber()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        const auto exists = [&](const QString &path) {
            return existing.contains(QFileInfo(path).fileName());
        };
        QCOMPARE(freeRecordingPath(QStringLiteral("/logs"), QStringLiteral("x.wav"), exists),
                 QStringLiteral("/logs/") + expected);
    }

    void theOlderFileStaysWhenTheNameIsTaken()
    {
        QTemporaryDir temp;
        QTemporaryDir logs;
        writeFile(logs.filePath(QStringLiteral("x.wav")), "older");
        FileRecorder recorder;
        HitRecording recording(recorder, temp.path());
        recording.start(true, false);
        recorder.capture = "newer";
        recording.stop(true, false, logs.path(), QStringLiteral("x.wav"));
        QCOMPARE(readFile(logs.filePath(QStringLiteral("x.wav"))), QByteArray("older"));
        QCOMPARE(readFile(logs.filePath(QStringLiteral("x (2).wav"))), QByteArray("newer"));
        QCOMPARE(recorder.closes, 1);
    }

    void anUnsavedRecordingIsKeptAndSavedLater()
    {
        QTemporaryDir temp;
        QTemporaryDir root;
        const QString logs = root.filePath(QStringLiteral("logs"));
        FileRecorder recorder;
        HitRecording recording(recorder, temp.path());

        recording.start(true, false);
        recorder.capture = "one";
        HitRecording::Outcome outcome =
            recording.stop(true, false, logs, QStringLiteral("one.wav"));
        QVERIFY(outcome.tellUser);
        QVERIFY(outcome.message.contains(QLatin1String("does not exist")));
        QCOMPARE(recording.unsavedCount(), 1);
        QCOMPARE(filesIn(temp.path()), QStringList{QStringLiteral("temp2")});

        // Still failing: said once per spell.
        recording.start(true, false);
        recorder.capture = "two";
        outcome = recording.stop(true, false, logs, QStringLiteral("two.wav"));
        QVERIFY(!outcome.tellUser);
        QCOMPARE(recording.unsavedCount(), 2);

        // The folder is back: the kept ones are saved under their own names.
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("logs")));
        recording.start(true, false);
        recorder.capture = "three";
        outcome = recording.stop(true, false, logs, QStringLiteral("three.wav"));
        QVERIFY(!outcome.tellUser);
        QCOMPARE(recording.unsavedCount(), 0);
        QCOMPARE(filesIn(logs), QStringList({QStringLiteral("one.wav"), QStringLiteral("three.wav"),
                                             QStringLiteral("two.wav")}));
        QCOMPARE(readFile(logs + QStringLiteral("/two.wav")), QByteArray("two"));
        QVERIFY(filesIn(temp.path()).isEmpty());

        // A new failure after a save is a new spell.
        QVERIFY(QDir(logs).removeRecursively());
        recording.start(true, false);
        QVERIFY(recording.stop(true, false, logs, QStringLiteral("four.wav")).tellUser);
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("logs")));
        QVERIFY(!recording.finish().tellUser);
        QCOMPARE(filesIn(logs), QStringList{QStringLiteral("four.wav")});
    }

    void noInputIsToldOnce()
    {
        QTemporaryDir temp;
        FileRecorder recorder;
        recorder.failOpen = true;
        HitRecording recording(recorder, temp.path());
        // The set-up keeps quiet while nothing is to be recorded.
        QVERIFY(!recording.setUp(false).tellUser);
        const HitRecording::Outcome first = recording.start(true, false);
        QVERIFY(first.tellUser);
        QVERIFY(first.message.contains(QLatin1String("no audio input was found")));
        QVERIFY(
            recording.stop(true, false, temp.path(), QStringLiteral("a.wav")).savedPath.isEmpty());
        QVERIFY(!recording.start(true, false).tellUser);
        QVERIFY(!recording.setUp(true).tellUser);
    }

    void theCounterStopsAtItsLargestValue()
    {
        QTemporaryDir temp;
        FileRecorder recorder;
        recorder.capture.clear();
        HitRecording recording(recorder, temp.path());
        for (int i = 0; i < 32800; ++i) {
            recording.start(true, false);
            recording.stop(true, true, temp.path(), QStringLiteral("a.wav"));
        }
        QCOMPARE(recording.recording_counter(), 32767);
        QCOMPARE(recorder.path, temp.filePath(QStringLiteral("temp32767")));
    }

    void waveHeaderDescribes16BitPcm()
    {
        const QByteArray expected = QByteArray::fromHex("52494646"
                                                        "2c010000"
                                                        "57415645"
                                                        "666d7420"
                                                        "10000000"
                                                        "0100"
                                                        "0100"
                                                        "44ac0000"
                                                        "88580100"
                                                        "0200"
                                                        "1000"
                                                        "64617461"
                                                        "08010000");
        QCOMPARE(waveHeader(44100, 1, 264), expected);
        // Too long for the header's sizes: they stop at their limit.
        const QByteArray huge = waveHeader(8000, 1, qint64(1) << 33);
        QCOMPARE(huge.mid(4, 4), QByteArray::fromHex("feffffff"));
        QCOMPARE(huge.mid(40, 4), QByteArray::fromHex("daffffff"));
    }

    void aRecordingFileNeverReplacesAnother()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("temp2")), "new");
        writeFile(dir.filePath(QStringLiteral("x.wav")), "old");
        QString error;
        QVERIFY(!moveRecordingFile(dir.filePath(QStringLiteral("temp2")),
                                   dir.filePath(QStringLiteral("x.wav")), &error));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("x.wav"))), QByteArray("old"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("temp2"))));
    }

    void theInputIsTheRememberedOneOrTheDefault_data()
    {
        QTest::addColumn<QByteArray>("remembered");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("isRemembered");
        QTest::newRow("remembered") << QByteArray("usb") << 2 << true;
        QTest::newRow("gone") << QByteArray("bluetooth") << 1 << false;
        QTest::newRow("first start") << QByteArray() << 1 << false;
    }

    void theInputIsTheRememberedOneOrTheDefault()
    {
        QFETCH(QByteArray, remembered);
        QFETCH(int, index);
        QFETCH(bool, isRemembered);
        const QList<AudioInputEntry> inputs = {{"line", QStringLiteral("Line In"), false},
                                               {"mic", QStringLiteral("Microphone"), true},
                                               {"usb", QStringLiteral("USB Audio"), false}};
        const AudioInputChoice choice = chooseAudioInput(inputs, remembered);
        QCOMPARE(choice.index, index);
        QCOMPARE(choice.remembered, isRemembered);
        QCOMPARE(audioInputNote(inputs, choice).isEmpty(), isRemembered);
    }

    void withoutADefaultTheFirstInputIsUsed()
    {
        const QList<AudioInputEntry> inputs = {{"line", QStringLiteral("Line In"), false},
                                               {"usb", QStringLiteral("USB Audio"), false}};
        QCOMPARE(chooseAudioInput(inputs, "gone").index, 0);
        QCOMPARE(chooseAudioInput({}, "gone").index, -1);
        QVERIFY(audioInputNote({}, {}).startsWith(QLatin1String("No audio input")));
    }

    void theRememberedInputRoundTrips()
    {
        const QByteArray id = "alsa_input.usb-Scanner_Audio-00.mono-fallback";
        QCOMPARE(readAudioSettings(writeAudioSettings(id)), id);
        QCOMPARE(readAudioSettings(""), QByteArray());
    }

    void levelIsTheLoudestSample()
    {
        QCOMPARE(peakPercent(QByteArray::fromHex("0000"
                                                 "0040"
                                                 "00c0")),
                 50);
        QCOMPARE(peakPercent(QByteArray::fromHex("0080")), 100);
        QCOMPARE(peakPercent(QByteArray()), 0);
    }

    void theQtRecorderRefusesWithoutAnInput()
    {
        QTemporaryDir dir;
        QtAudioRecorder recorder;
        recorder.setInput(QAudioDevice());
        QVERIFY(!recorder.Open(dir.filePath(QStringLiteral("temp2"))));
        QCOMPARE(recorder.errorText(), QStringLiteral("no audio input was found"));
        QVERIFY(!recorder.Record());
        QVERIFY(!recorder.stop());
        QVERIFY(filesIn(dir.path()).isEmpty());
    }

private:
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
};

QTEST_MAIN(TestHitRecording)
#include "tst_hitrecording.moc"
