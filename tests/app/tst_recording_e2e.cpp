// End to end: the simulated radio plays hits while a sound server of the
// test's own feeds known tones to the chosen input; the window records each
// hit and saves it under the hit's name.
#include "alerts/alertrulesfile.h"
#include "alerts/widgets/alertspanel.h"
#include "store/hitdatabase.h"
#include "store/hitstore.h"
#include "support/radiofixture.h"
#include "support/smalldisk.h"
#include "support/soundserver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QtEndian>

namespace {

constexpr int pollIntervalMs = 50;
constexpr int rate = 44100;
constexpr int toneMs = 300;
constexpr int hitTimeoutMs = 20000;

Reception hit(const QByteArray &system, const QByteArray &group, const QByteArray &channel)
{
    Reception reception;
    reception.system = system;
    reception.group = group;
    reception.channel = channel;
    reception.frequency = "01540700";
    reception.tone = "67";
    // About a second on the air: time enough to feed the tone.
    reception.activeTicks = 20;
    reception.gapTicks = 3;
    return reception;
}

struct Wave
{
    QByteArray header;
    QByteArray samples;
};

Wave readWave(const QString &path)
{
    const QByteArray bytes = readWholeFile(path);
    return {bytes.left(44), bytes.mid(44)};
}

quint32 le32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

} // namespace

class TestRecordingEndToEnd : public QObject
{
    Q_OBJECT
    std::unique_ptr<SoundServer> m_sound;

private Q_SLOTS:
    void initTestCase()
    {
        m_sound = std::make_unique<SoundServer>();
        QVERIFY2(m_sound->isUp(), qPrintable(m_sound->errorText()));
    }

    void hitsAreSavedUnderTheirNamesWithTheirSoundOnly()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, pollIntervalMs));
        // Tab 0, "Record Audio" ticked, no log file.
        f.writeFile(QStringLiteral("pgm_settings.txt"), "0\r\n1\r\n0\r\n");
        f.writeFile(QStringLiteral("audio_settings.txt"), '"' + m_sound->inputId() + "\"\r\n");
        // A nameless hit (skipped at its end), then the same named hit twice.
        f.radio().radio().queueReception(hit("", "", ""));
        const Reception named = hit("Marion County", "Fire Dispatch", "Engine 5");
        f.radio().radio().queueReception(named);
        f.radio().radio().queueReception(named);

        auto form = f.makeForm();
        QVERIFY(form->isRunning());
        // The sound system is set up once the window has shown.
        form->show();
        auto *input = child<QComboBox>(form.get(), "audio_input");
        QTRY_COMPARE(input->currentData().toByteArray(), m_sound->inputId());
        // The input picked is written for the next start.
        QVERIFY(QFile::remove(f.dataDir() + QStringLiteral("/audio_settings.txt")));
        Q_EMIT input->activated(input->currentIndex());
        QCOMPARE(f.readFile(QStringLiteral("audio_settings.txt")),
                 '"' + m_sound->inputId() + "\"\r\n");
        auto *status = child<QLineEdit>(form.get(), "Text3");

        const double tones[3] = {2000, 1000, 1000};
        for (double hertz : tones) {
            QTRY_VERIFY_WITH_TIMEOUT(form->recording_active(), hitTimeoutMs);
            QTRY_COMPARE(status->text(), QStringLiteral("Recording"));
            QVERIFY(m_sound->feed(sineTone(hertz, toneMs)));
            QTRY_VERIFY_WITH_TIMEOUT(!form->recording_active(), hitTimeoutMs);
        }
        QTRY_COMPARE(status->text(), QStringLiteral("Waiting"));
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(form->recording_counter(), 4);

        QString time = timeOfDayText(f.clock.now().time());
        time.replace(u':', u'-').replace(u' ', u'-');
        const QString stem =
            QStringLiteral("Marion-County_Fire-Dispatch_Engine-5_-154.0700_C74.4__") + time + u'_' +
            time + QStringLiteral("_12-06-2026");
        const QStringList saved =
            QDir(f.dataDir()).entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name);
        QCOMPARE(saved, QStringList({stem + QStringLiteral(" (2).wav"), stem + ".wav"}));

        for (const QString &name : saved) {
            const Wave wave = readWave(f.dataDir() + u'/' + name);
            QCOMPARE(wave.header.left(4), QByteArray("RIFF"));
            QCOMPARE(wave.header.mid(8, 8), QByteArray("WAVEfmt "));
            QCOMPARE(le16(wave.header, 20), quint16(1));
            QCOMPARE(le16(wave.header, 22), quint16(1));
            QCOMPARE(le32(wave.header, 24), quint32(rate));
            QCOMPARE(le16(wave.header, 34), quint16(16));
            QCOMPARE(le32(wave.header, 40), quint32(wave.samples.size()));
            QCOMPARE(le32(wave.header, 4), quint32(wave.samples.size() + 36));
            // Exactly the tone fed during this hit: its length, its pitch,
            // and nothing of the skipped hit's 2 kHz before it.
            QCOMPARE(wave.samples.size(), sineTone(1000, toneMs).size());
            QVERIFY(tonePower(wave.samples, 1000) > 1000 * tonePower(wave.samples, 2000));
            QVERIFY(tonePower(wave.samples, 1000) > 0.01);
        }
    }

    // The log folder on a full disk: no part of a recording reaches it and
    // the user hears once; with room again the kept recordings are saved
    // whole, under their own names, with the next one.
    void aFullDiskKeepsTheRecordingsUntilThereIsRoom()
    {
        SmallDisk disk(256);
        if (!disk.isMounted())
            QSKIP("no right to mount a small filesystem here");
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, pollIntervalMs));
        // "Record Audio" ticked, the log folder on the small disk.
        f.writeFile(QStringLiteral("pgm_settings.txt"),
                    "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n\"" + disk.path().toUtf8() +
                        "\"\r\n");
        f.writeFile(QStringLiteral("audio_settings.txt"), '"' + m_sound->inputId() + "\"\r\n");
        for (const char *channel : {"Engine 5", "Engine 6", "Engine 7"})
            f.radio().radio().queueReception(hit("Marion County", "Fire Dispatch", channel));
        disk.fill();
        auto form = f.makeForm();
        form->show();
        QTRY_COMPARE(child<QComboBox>(form.get(), "audio_input")->currentData().toByteArray(),
                     m_sound->inputId());
        const auto recordHit = [&] {
            QTRY_VERIFY_WITH_TIMEOUT(form->recording_active(), hitTimeoutMs);
            QVERIFY(m_sound->feed(sineTone(1000, toneMs)));
            QTRY_VERIFY_WITH_TIMEOUT(!form->recording_active(), hitTimeoutMs);
        };
        const auto waves = [&] {
            return QDir(disk.path()).entryList({QStringLiteral("*.wav")}, QDir::Files);
        };
        recordHit();
        recordHit();
        QTRY_COMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.first().contains(QStringLiteral("could not be saved")),
                 qPrintable(f.messages.first()));
        QCOMPARE(waves(), QStringList());

        disk.free();
        recordHit();
        QCOMPARE(waves().size(), 3);
        for (const QString &name : waves()) {
            QVERIFY2(!name.contains(QStringLiteral(" (")), qPrintable(name));
            const Wave wave = readWave(disk.filePath(name));
            QCOMPARE(le32(wave.header, 40), quint32(wave.samples.size()));
            QCOMPARE(wave.samples.size(), sineTone(1000, toneMs).size());
        }
        QCOMPARE(f.messages.size(), 1);
        // The hit database knows each recording, those saved late too.
        const QString run = QFileInfo(form->hitLogFilePath()).completeBaseName();
        HitStore store;
        QCOMPARE(store.open(HitDatabase::fileIn(f.dataDir())), HitStore::Fault::None);
        QStringList known;
        for (int line = 1; line <= 3; ++line) {
            QTRY_VERIFY(!store.recordingOf(run, line).path.isEmpty());
            QVERIFY(store.recordingOf(run, line).ms > 0);
            known.append(QFileInfo(store.recordingOf(run, line).path).fileName());
        }
        known.sort();
        QCOMPARE(known, waves());
    }

    void statusWordFollowsTheHitAndTheCheckBox()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("audio_settings.txt"), '"' + m_sound->inputId() + "\"\r\n");
        auto form = f.makeForm();
        auto *status = child<QLineEdit>(form.get(), "Text3");
        auto *record = child<QCheckBox>(form.get(), "RecordAudioCheck");
        // Picking the speed sets the audio up, twice if picked twice.
        child<QComboBox>(form.get(), "Combo1")->setCurrentIndex(0);
        for (int speed : {4, 3}) {
            child<QComboBox>(form.get(), "Combo2")->setCurrentIndex(speed);
            QCOMPARE(status->text(), QStringLiteral("Hit Run"));
            QVERIFY(child<QPushButton>(form.get(), "Command2")->isEnabled());
        }
        Reception longHit = hit("Marion County", "Fire Dispatch", "Engine 5");
        longHit.activeTicks = 60;
        f.radio().radio().queueReception(longHit);
        form->RunStop();
        QTRY_COMPARE(status->text(), QStringLiteral("Waiting"));

        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Active"), hitTimeoutMs);
        QVERIFY(!form->recording_active());
        // Ticked mid-hit: recording from the next active poll on.
        record->click();
        QTRY_COMPARE(status->text(), QStringLiteral("Recording"));
        QTRY_VERIFY(form->recording_active());
        // Cleared again: the hit's recording is thrown away at its end.
        record->click();
        QTRY_COMPARE(status->text(), QStringLiteral("Active"));
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Waiting"), hitTimeoutMs);
        QVERIFY(!form->recording_active());
        QCOMPARE(form->hitLog().lineCount(), 1);
        QVERIFY(QDir(f.dataDir()).entryList({QStringLiteral("*.wav")}, QDir::Files).isEmpty());
    }

    // An alert's "Record this hit" records with "Record Audio" unticked, under
    // the recording's own name; a hit no rule matches is not recorded.
    void alertRecordsItsHit()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, pollIntervalMs));
        f.writeFile(QStringLiteral("audio_settings.txt"), '"' + m_sound->inputId() + "\"\r\n");
        AlertRule rule;
        rule.words = QStringLiteral("engine 5");
        rule.notify = false;
        rule.recordHit = true;
        QCOMPARE(saveAlertRules(f.dataDir(), {rule}), QString());
        f.radio().radio().queueReception(hit("Marion County", "Fire Dispatch", "Engine 6"));
        f.radio().radio().queueReception(hit("Marion County", "Fire Dispatch", "Engine 5"));
        auto form = f.makeForm();
        form->show();
        QVERIFY(!child<QCheckBox>(form.get(), "RecordAudioCheck")->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(form->recording_active(), 2 * hitTimeoutMs);
        QCOMPARE(form->hitLog().lineCount(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!form->recording_active(), hitTimeoutMs);
        const QStringList saved =
            QDir(f.dataDir()).entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name);
        QCOMPARE(saved.size(), 1);
        QVERIFY2(saved.first().startsWith(QStringLiteral("Marion-County_Fire-Dispatch_Engine-5_")),
                 qPrintable(saved.first()));
    }

    // With nothing to record, the sound system waits until the inputs are
    // first shown; then the list holds them, the remembered one chosen.
    void inputsAreListedWhenFirstShown()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, pollIntervalMs));
        f.writeFile(QStringLiteral("audio_settings.txt"), '"' + m_sound->inputId() + "\"\r\n");
        f.radio().radio().queueReception(hit("Marion County", "Fire Dispatch", "Engine 5"));
        auto form = f.makeForm();
        form->show();
        // Long after the first paint (a hit logged), on the Log tab.
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        auto *input = child<QComboBox>(form.get(), "audio_input");
        QCOMPARE(input->count(), 0);
        // A chime played meanwhile loads the sound system but lists nothing.
        auto *alerts = child<AlertsPanel>(form.get(), "Alerts");
        AlertRule chime;
        chime.notify = false;
        chime.sound = true;
        alerts->model().setRules({chime});
        Q_EMIT alerts->testRequested(alerts->model().ruleId(0));
        QCOMPARE(input->count(), 0);
        child<QTabWidget>(form.get(), "SSTab1")->setCurrentIndex(3);
        QTRY_COMPARE(input->currentData().toByteArray(), m_sound->inputId());
    }

    // Without the sound module the hits are logged as ever; the user is told
    // once why they are not recorded.
    void withoutTheSoundModuleHitsAreStillLogged()
    {
        RadioFixture f;
        f.soundModule = f.dataDir() + QStringLiteral("/no-such-module.so");
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, pollIntervalMs));
        f.writeFile(QStringLiteral("pgm_settings.txt"), "0\r\n1\r\n0\r\n");
        f.radio().radio().queueReception(hit("Marion County", "Fire Dispatch", "Engine 5"));
        f.radio().radio().queueReception(hit("Marion County", "Fire Dispatch", "Engine 6"));
        auto form = f.makeForm();
        form->show();
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 2, 2 * hitTimeoutMs);
        QTRY_COMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.first().contains(QStringLiteral("sound module could not be loaded")),
                 qPrintable(f.messages.first()));
        QVERIFY(child<QLabel>(form.get(), "audio_input_note")
                    ->text()
                    .startsWith(QStringLiteral("The sound module could not be loaded")));
        QVERIFY(QDir(f.dataDir()).entryList({QStringLiteral("*.wav")}, QDir::Files).isEmpty());
    }
};

QTEST_MAIN(TestRecordingEndToEnd)
#include "tst_recording_e2e.moc"
