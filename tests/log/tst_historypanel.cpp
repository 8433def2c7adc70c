#include "log/historyrecording.h"
#include "log/widgets/historypanel.h"
#include "poll/media/qtrecordingplayer.h"
#include "poll/mediasystem.h"
#include "store/hitdatabase.h"
#include "store/runimport.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

const QString trunkedLine =
    QStringLiteral("Metro / Police\tTac 2\t 851.5625\t1234\t3:46:01 PM\t3:46:09 PM\t12-06-2026");

template <typename T> QByteArray le(T value)
{
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A mono 16-bit WAV of the given length, with a LIST chunk before "data" as
// some recorders write; dataSize overrides the size in the header.
QByteArray wav(int ms, int rate = 8000, qint64 dataSize = -1)
{
    const QByteArray samples(rate * 2 * ms / 1000, '\0');
    QByteArray body = "WAVE";
    body += "fmt " + le<quint32>(16) + le<quint16>(1) + le<quint16>(1) + le<quint32>(rate) +
            le<quint32>(rate * 2) + le<quint16>(2) + le<quint16>(16);
    body += "LIST" + le<quint32>(4) + "INFO";
    body += "data" + le<quint32>(dataSize < 0 ? samples.size() : dataSize) + samples;
    return "RIFF" + le<quint32>(body.size()) + body;
}

const QString thisRun = QStringLiteral("12-06-2026_3-45-00-PM");

// Stores a log line of this run as the window does once the hit ended.
void storeLine(HitDatabase &db, int line, const QString &logLine, const QString &recording = {})
{
    const QStringList names = logLine.section(u'\t', 0, 0).split(QStringLiteral(" / "));
    StoredHit hit = hitOfLogLine(thisRun, line, logLine, names.value(0), names.value(1), true,
                                 1765035961 + line * 60);
    hit.recordingPath = recording;
    db.addHit(hit);
}

} // namespace

class TestHistoryPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void recordingNames();
    void wavLength_data();
    void wavLength();
    void rowShowsRecordingOrItsAbsence();
    void playsShortRecording();
    void recordingColumnShowsAtTheTabsWidth();
    void exportsWhatTheFilterShows();

private:
    // A sound server of the test's own whose only output is a null sink.
    QTemporaryDir m_soundDir;
    QProcess m_soundServer;
};

void TestHistoryPanel::initTestCase()
{
    const QString socket = m_soundDir.filePath(QStringLiteral("native"));
    m_soundServer.start(QStringLiteral("pulseaudio"),
                        {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                         "--disable-shm=yes", "-F", "/dev/null", "--load=module-null-sink",
                         "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    if (m_soundServer.waitForStarted(10000)) {
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 20000);
        qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
    }
}

void TestHistoryPanel::cleanupTestCase()
{
    if (m_soundServer.state() != QProcess::NotRunning) {
        m_soundServer.terminate();
        if (!m_soundServer.waitForFinished(10000))
            m_soundServer.kill();
    }
}

void TestHistoryPanel::recordingNames()
{
    const QStringList names =
        hitRecordingCandidates(trunkedLine, QStringLiteral("12-06-2026"), QStringLiteral("/logs"));
    const QString stem = QStringLiteral("/logs/Metro_Police_Tac-2_-851.5625_");
    const QString times = QStringLiteral("_3-46-01-PM_3-46-09-PM_12-06-2026.wav");
    QCOMPARE(names, QStringList({stem + "1234_" + times, stem + "_1234" + times,
                                 stem + "P25_1234" + times}));
    // A system name holding " / " itself: both cuts are tried.
    QCOMPARE(hitRecordingCandidates(QStringLiteral("A / B / C\tx\t 1.0000\t7\t1\t2\td"),
                                    QStringLiteral("d"), QStringLiteral("/f"))
                 .size(),
             6);
}

void TestHistoryPanel::wavLength_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("one second") << wav(1000) << qint64(1000);
    QTest::newRow("250 ms at 16 kHz") << wav(250, 16000) << qint64(250);
    QTest::newRow("still being written") << wav(500, 8000, 0) << qint64(500);
    QTest::newRow("size beyond the file") << wav(500, 8000, 0xFFFFFFFF) << qint64(500);
    QTest::newRow("not a WAV") << QByteArray("hello world, not a wave") << qint64(-1);
    QTest::newRow("cut in the header") << wav(1000).left(30) << qint64(-1);
}

void TestHistoryPanel::wavLength()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, ms);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(wavDurationMs(buffer), ms);
}

void TestHistoryPanel::rowShowsRecordingOrItsAbsence()
{
    QTemporaryDir dir;
    HitDatabase db(HitDatabase::fileIn(dir.path()));
    HistoryPanel panel;
    panel.model().setRecordingFolders([&dir] { return QStringList{dir.path()}; });
    QStringList messages;
    panel.showMessage = [&messages](const QString &text) { messages.append(text); };
    // The recorder saved the third hit's recording as " (2)": the database
    // knows its name.
    const QString second = dir.filePath(QStringLiteral("Metro_Police_Tac-4 (2).wav"));
    QFile saved(second);
    QVERIFY(saved.open(QIODevice::WriteOnly));
    saved.write(wav(2500));
    saved.close();
    storeLine(db, 1, trunkedLine);
    storeLine(db, 2, QString(trunkedLine).replace(QLatin1String("Tac 2"), QLatin1String("Tac 3")));
    storeLine(db, 3, QString(trunkedLine).replace(QLatin1String("Tac 2"), QLatin1String("Tac 4")),
              second);
    panel.setSource(&db, thisRun);
    QTRY_COMPARE(panel.model().rowCount(), 3);
    QFile file(hitRecordingCandidates(trunkedLine, QStringLiteral("12-06-2026"), dir.path()).at(1));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(wav(12300));
    file.close();
    panel.model().refreshRecordings();
    QCOMPARE(panel.model().cellText(0, HistoryModel::Recording), QStringLiteral("\u25B6 0:03"));
    QCOMPARE(panel.model().recordingPath(0), second);
    QCOMPARE(panel.model().cellText(1, HistoryModel::Recording), QStringLiteral("no recording"));
    QCOMPARE(panel.model().cellText(2, HistoryModel::Recording), QStringLiteral("\u25B6 0:13"));
    panel.playRow(1);
    QVERIFY(messages.isEmpty());
    QCOMPARE(panel.findChild<QLabel *>(QStringLiteral("history_status"))->text(),
             QStringLiteral("No recording of this hit was found."));
    QVERIFY(panel.player().playing().isEmpty());
}

void TestHistoryPanel::playsShortRecording()
{
    QTemporaryDir dir;
    HitDatabase db(HitDatabase::fileIn(dir.path()));
    HistoryPanel panel;
    panel.model().setRecordingFolders([&dir] { return QStringList{dir.path()}; });
    storeLine(db, 1, trunkedLine);
    panel.setSource(&db, thisRun);
    QTRY_COMPARE(panel.model().rowCount(), 1);
    QFile file(hitRecordingCandidates(trunkedLine, QStringLiteral("12-06-2026"), dir.path()).at(0));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(wav(1500));
    file.close();
    panel.model().refreshRecordings();
    // The sound module as the program loads it.
    QString whyNot;
    const std::unique_ptr<MediaSystem> media = loadMediaSystem(mediaModulePath(), &whyNot);
    QVERIFY2(media, qPrintable(whyNot));
    panel.mediaSystem = [&media] { return media.get(); };
    auto *play = panel.findChild<QPushButton *>(QStringLiteral("history_play"));
    auto *pause = panel.findChild<QPushButton *>(QStringLiteral("history_pause"));
    auto *stop = panel.findChild<QPushButton *>(QStringLiteral("history_stop"));
    QVERIFY(!pause->isEnabled() && !stop->isEnabled());
    panel.table()->setCurrentIndex(panel.model().index(0, 0));
    play->click();
    QCOMPARE(panel.player().playing(), file.fileName());
    if (m_soundServer.state() != QProcess::Running)
        QSKIP("no test sound server (pulseaudio) to play to");
    auto *backend = dynamic_cast<QtRecordingPlayer *>(panel.player().backend());
    QVERIFY(backend);
    QMediaPlayer *player = backend->mediaPlayer();
    QTRY_VERIFY_WITH_TIMEOUT(player->mediaStatus() == QMediaPlayer::EndOfMedia ||
                                 player->position() > 0 || player->error() != QMediaPlayer::NoError,
                             20000);
    if (player->error() != QMediaPlayer::NoError)
        QSKIP(qPrintable(QStringLiteral("no sound output here: ") + player->errorString()));
    QTest::keyClick(panel.table(), Qt::Key_Space);
    QTRY_COMPARE(player->playbackState(), QMediaPlayer::PausedState);
    QCOMPARE(pause->text(), QStringLiteral("Resume"));
    QVERIFY(stop->isEnabled());
    // Where it is and how long it is.
    QVERIFY2(panel.findChild<QLabel *>(QStringLiteral("history_play_time"))
                 ->text()
                 .endsWith(QLatin1String(" / 0:02")),
             qPrintable(panel.findChild<QLabel *>(QStringLiteral("history_play_time"))->text()));
    play->click();
    QTRY_COMPARE_WITH_TIMEOUT(player->mediaStatus(), QMediaPlayer::EndOfMedia, 20000);
    QTRY_VERIFY(!stop->isEnabled());
    QCOMPARE(pause->text(), QStringLiteral("Pause"));
    QCOMPARE(panel.findChild<QLabel *>(QStringLiteral("history_status"))->text(),
             QStringLiteral("Playback of %1 ended.").arg(QFileInfo(file).fileName()));
}

void TestHistoryPanel::recordingColumnShowsAtTheTabsWidth()
{
    HistoryPanel panel;
    panel.resize(752, 300);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QTableView *table = panel.table();
    const int right = table->columnViewportPosition(HistoryModel::Recording) +
                      table->columnWidth(HistoryModel::Recording);
    QVERIFY2(right <= table->viewport()->width(), qPrintable(QString::number(right)));
}

void TestHistoryPanel::exportsWhatTheFilterShows()
{
    QTemporaryDir dir;
    HitDatabase db(HitDatabase::fileIn(dir.path()));
    HistoryPanel panel;
    QSignalSpy loaded(&panel, &HistoryPanel::loaded);
    panel.setSource(&db, thisRun);
    QTRY_COMPARE(loaded.size(), 1);
    storeLine(db, 1, trunkedLine);
    storeLine(db, 2,
              QStringLiteral("County / Fire\tDispatch, Main\t 154.2500\tC67.0\t3:50:00 PM\t"
                             "3:50:05 PM\t12-06-2026"));
    QTRY_COMPARE(panel.model().totalCount(), 2);
    panel.findChild<QLineEdit *>(QStringLiteral("history_find"))->setText(QStringLiteral("main"));
    QTRY_COMPARE(panel.model().rowCount(), 1);
    panel.exportFolder = [&dir] { return dir.path(); };
    QString offered;
    panel.chooseExportFile = [&offered](const QString &suggested) {
        offered = suggested;
        return suggested;
    };
    QSignalSpy exported(&panel, &HistoryPanel::exported);
    panel.exportCsv();
    QTRY_COMPARE(exported.size(), 1);
    QCOMPARE(offered, dir.filePath(QStringLiteral("hit_history_12-06-2026_3-45-00-PM.csv")));
    QFile file(offered);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("System / Group,Channel,Frequency,TGID / Tone,Start,End,Date,Run\r\n"
                        "County / Fire,\"Dispatch, Main\", 154.2500,C67.0,3:50:00 PM,3:50:05 PM,"
                        "12-06-2026,12-06-2026_3-45-00-PM\r\n"));
}

QTEST_MAIN(TestHistoryPanel)
#include "tst_historypanel.moc"
