// The recording of each hit against a recorder that writes plain files: when
// it starts, what is thrown away or kept, the names it saves under, and how
// failures are reported. Also the wave header and the choice of the input.
#include "poll/audioinputchoice.h"
#include "poll/hitrecording.h"
#include "poll/recordingmove.h"
#include "poll/wavefile.h"
#include "support/smalldisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Writes its "capture" at stop; Open can be made to fail.
class FileRecorder : public AudioRecorder
{
public:
    bool Open(const QString &tempPath) override
    {
        ++opens;
        path = tempPath;
        error = failOpen ? QStringLiteral("no audio input was found") : QString();
        return !failOpen;
    }
    bool Record() override { return true; }
    bool stop() override
    {
        QFile file(path);
        return path.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(capture) >= 0);
    }
    bool save(const QString &to) override { return moveRecordingFile(path, to, &error); }
    void close() override {}
    QString errorText() const override { return error; }

    bool failOpen = false;
    int opens = 0;
    QString path;
    QString error;
    QByteArray capture;
};

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestHitRecording : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWhenWantedOncePerHit_data()
    {
        QTest::addColumn<bool>("recordAudio");
        QTest::addColumn<bool>("skipped");
        QTest::addColumn<int>("opens");
        QTest::newRow("ticked") << true << false << 1;
        QTest::newRow("not ticked") << false << false << 0;
        QTest::newRow("skipped") << true << true << 0;
    }

    void startsWhenWantedOncePerHit()
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
        QCOMPARE(recording.recording_counter(), 1 + opens);
        if (opens)
            QCOMPARE(recorder.path, temp.filePath(QStringLiteral("temp2")));
    }

    void aTakenNameGetsTheNextNumber_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("free") << QStringList() << QStringLiteral("x.wav");
        QTest::newRow("taken") << QStringList{"x.wav"} << QStringLiteral("x (2).wav");
        QTest::newRow("two taken")
            << QStringList{"x.wav", "x (2).wav"} << QStringLiteral("x (3).wav");
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

    void anUnsavedRecordingIsKeptAndSavedLater()
    {
        QTemporaryDir temp;
        QTemporaryDir root;
        const QString logs = root.filePath(QStringLiteral("logs"));
        FileRecorder recorder;
        HitRecording recording(recorder, temp.path());
        const auto hit = [&](const QByteArray &sound) {
            recording.start(true, false);
            recorder.capture = sound;
            return recording.stop(true, false, logs, QString::fromLatin1(sound + ".wav"));
        };

        HitRecording::Outcome outcome = hit("one");
        QVERIFY(outcome.tellUser);
        QVERIFY(outcome.message.contains(QLatin1String("does not exist")));
        QCOMPARE(filesIn(temp.path()), QStringList{QStringLiteral("temp2")});
        // Still failing: said once per spell.
        QVERIFY(!hit("two").tellUser);
        QCOMPARE(recording.unsavedCount(), 2);

        // The folder is back: the kept ones are saved under their own names.
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("logs")));
        QVERIFY(!hit("three").tellUser);
        QCOMPARE(filesIn(logs), QStringList({"one.wav", "three.wav", "two.wav"}));
        QCOMPARE(contents(logs + QStringLiteral("/two.wav")), QByteArray("two"));
        QVERIFY(filesIn(temp.path()).isEmpty());

        // A failure after a save is a new spell; the end of the run retries.
        QVERIFY(QDir(logs).removeRecursively());
        QVERIFY(hit("four").tellUser);
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("logs")));
        QVERIFY(!recording.finish().tellUser);
        QCOMPARE(filesIn(logs), QStringList{QStringLiteral("four.wav")});
    }

    // The log folder on a disk with less room than a recording: no part of
    // it reaches the folder, the capture is kept, and a later try saves it
    // whole under its own name.
    void aFullDiskLeavesNoPartOfARecording()
    {
        SmallDisk disk(64);
        if (!disk.isMounted())
            QSKIP("no right to mount a small filesystem here");
        QFile blocker(disk.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly) && blocker.write(QByteArray(40 * 1024, 'b')));
        blocker.close();
        QTemporaryDir temp;
        FileRecorder recorder;
        HitRecording recording(recorder, temp.path());
        const QByteArray sound(40 * 1024, 's');
        for (const QString name : {"one.wav", "two.wav"}) {
            recording.start(true, false);
            recorder.capture = sound;
            const HitRecording::Outcome outcome = recording.stop(true, false, disk.path(), name);
            QVERIFY(outcome.savedPath.isEmpty());
            QCOMPARE(outcome.waitingFor, disk.filePath(name));
            QCOMPARE(outcome.tellUser, name == "one.wav");
        }
        QCOMPARE(filesIn(disk.path()), QStringList{QStringLiteral("blocker")});
        QCOMPARE(filesIn(temp.path()), QStringList({"temp2", "temp3"}));

        // Room for one of the two.
        QVERIFY(blocker.remove());
        const HitRecording::Outcome retried = recording.finish();
        QVERIFY(!retried.tellUser);
        const QString one = disk.filePath(QStringLiteral("one.wav"));
        QCOMPARE(retried.savedLater, (QList<std::pair<QString, QString>>{{one, one}}));
        QCOMPARE(filesIn(disk.path()), QStringList{QStringLiteral("one.wav")});
        QCOMPARE(contents(disk.filePath(QStringLiteral("one.wav"))), sound);
        QCOMPARE(recording.unsavedCount(), 1);
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
        QVERIFY(recording.stop(true, false, temp.path(), "a.wav").savedPath.isEmpty());
        QVERIFY(!recording.start(true, false).tellUser);
        QVERIFY(!recording.setUp(true).tellUser);
    }

    void theCounterStopsAtItsLargestValue()
    {
        QTemporaryDir temp;
        FileRecorder recorder;
        HitRecording recording(recorder, temp.path());
        for (int i = 0; i < 32800; ++i) {
            recording.start(true, false);
            recording.stop(true, true, temp.path(), QStringLiteral("a.wav"));
        }
        QCOMPARE(recording.recording_counter(), 32767);
        QCOMPARE(recorder.path, temp.filePath(QStringLiteral("temp32767")));
        QVERIFY(filesIn(temp.path()).isEmpty());
    }

    void waveHeaderSizesStayInRange()
    {
        // Too long for the header: the sizes stop at whole samples below 4 GiB.
        const QByteArray huge = waveHeader(8000, 1, qint64(1) << 33);
        QCOMPARE(huge.mid(4, 4), QByteArray::fromHex("feffffff"));
        QCOMPARE(huge.mid(40, 4), QByteArray::fromHex("daffffff"));
    }

    void theInputIsTheRememberedOneOrTheDefault_data()
    {
        QTest::addColumn<bool>("withDefault");
        QTest::addColumn<QByteArray>("remembered");
        QTest::addColumn<int>("index");
        QTest::newRow("remembered") << true << QByteArray("usb") << 2;
        QTest::newRow("gone") << true << QByteArray("bluetooth") << 1;
        QTest::newRow("first start") << true << QByteArray() << 1;
        QTest::newRow("no default") << false << QByteArray("gone") << 0;
    }

    void theInputIsTheRememberedOneOrTheDefault()
    {
        QFETCH(bool, withDefault);
        QFETCH(QByteArray, remembered);
        QFETCH(int, index);
        const QList<AudioInputEntry> inputs = {{"line", QStringLiteral("Line In"), false},
                                               {"mic", QStringLiteral("Microphone"), withDefault},
                                               {"usb", QStringLiteral("USB Audio"), false}};
        const AudioInputChoice choice = chooseAudioInput(inputs, remembered);
        QCOMPARE(choice.index, index);
        // The note says which input stands in for the remembered one.
        QCOMPARE(audioInputNote(inputs, choice).isEmpty(), index == 2);
        QCOMPARE(chooseAudioInput({}, remembered).index, -1);
    }
};

QTEST_MAIN(TestHitRecording)
#include "tst_hitrecording.moc"
