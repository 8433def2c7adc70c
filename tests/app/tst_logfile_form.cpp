// The run's hit log file on a real window: its name, when it is written,
// "Clear Log", the "Log To Text File" tick, the "Log Directory" choice and a
// folder that cannot be written, with the simulated radio playing the hits.
#include "support/radiofixture.h"
#include "support/smalldisk.h"

#include "log/fixforlog.h"
#include "store/hitdatabase.h"
#include "store/hitstore.h"

#include "log/widgets/hitlogview.h"
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int hitTimeoutMs = 15000;

Reception conventional(const QByteArray &system, const QByteArray &channel,
                       const QByteArray &frequency)
{
    Reception reception;
    reception.system = system;
    reception.group = "Fire";
    reception.channel = channel;
    reception.frequency = frequency;
    reception.tone = "76";
    reception.activeTicks = 3;
    reception.gapTicks = 3;
    return reception;
}

const Reception firstHit = conventional("Marion County", "Fire Dispatch", "01540700");
const Reception secondHit = conventional("Springfield", "FD Fireground", "04537500");
const Reception thirdHit = conventional("Lake County", "Tone Out", "08515625");
const Reception fourthHit = conventional("Clark County", "Fire Tac 3", "01552650");

// pgm_settings.txt with the tab, record audio and log text lines, and when
// given the other lines up to the log folder.
QByteArray pgmSettings(bool logText, const QString &logFolder = {})
{
    QByteArray file = "0\r\n0\r\n" + QByteArray(logText ? "1" : "0") + "\r\n";
    if (!logFolder.isNull())
        file += "0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n\"" + logFolder.toUtf8() + "\"\r\n";
    return file;
}

// What the file holds once the form's writes of the log so far are done.
QByteArray fileBytes(Form1 &form, const QString &path)
{
    form.flushLogFile();
    return readWholeFile(path);
}

// The log text as the file holds it: the whole text and one CR LF more.
QByteArray asFile(const Form1 &form)
{
    return form.hitLog().text().toUtf8() + "\r\n";
}

// The name of the run's file for the fixture's clock: the date, "_", the
// locale's time text of 15:45:12 made safe for a file name, ".txt".
QString expectedFileName()
{
    QString time = timeOfDayText(QTime(15, 45, 12));
    return QStringLiteral("12-06-2026_") + FixForLog(time) + QStringLiteral(".txt");
}

} // namespace

class TestLogFileForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tickAtStartUpWritesTheRunsFile()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        f.writeFile(QStringLiteral("pgm_settings.txt"), pgmSettings(true));
        auto form = f.makeForm();

        const QFileInfo file(form->hitLogFilePath());
        QCOMPARE(file.fileName(), expectedFileName());
        QVERIFY(file.fileName().contains(QLatin1String("45-12")));
        QVERIFY(!file.fileName().contains(u':'));
        QCOMPARE(file.absolutePath(), QDir(f.dataDir()).absolutePath());
        // Restoring the tick runs its reaction: the empty log is written.
        QCOMPARE(fileBytes(*form, file.filePath()), QByteArray("\r\n"));

        f.radio().radio().queueReception(firstHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        QByteArray bytes = fileBytes(*form, file.filePath());
        QVERIFY(bytes.startsWith("Marion County / Fire\tFire Dispatch\t 154.0700\tC100.0\t"));
        QVERIFY(bytes.endsWith("\t12-06-2026\r\n\r\n"));
        QCOMPARE(bytes, asFile(*form));

        f.radio().radio().queueReception(secondHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 2, hitTimeoutMs);
        bytes = fileBytes(*form, file.filePath());
        QCOMPARE(bytes, asFile(*form));
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.at(0).startsWith("Springfield / Fire\tFD Fireground\t 453.7500\t"));
        QVERIFY(lines.at(1).startsWith("Marion County / Fire\tFire Dispatch\t"));
        QCOMPARE(lines.at(2), QByteArray("\r"));
        form->flushLogFile();
        QVERIFY(f.messages.isEmpty());
    }

    void clearLog_data()
    {
        QTest::addColumn<bool>("logging");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("logging to the file") << true << true;
        QTest::newRow("not logging") << false << true;
        QTest::newRow("answered No") << true << false;
    }
    void clearLog()
    {
        QFETCH(bool, logging);
        QFETCH(bool, confirmed);
        RadioFixture f;
        f.answer = confirmed;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        f.writeFile(QStringLiteral("pgm_settings.txt"), pgmSettings(true));
        auto form = f.makeForm();
        const QString path = form->hitLogFilePath();
        f.radio().radio().queueReception(firstHit);
        f.radio().radio().queueReception(secondHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 2, hitTimeoutMs);
        const QByteArray twoHits = fileBytes(*form, path);
        QCOMPARE(twoHits, asFile(*form));
        QCOMPARE(form->logGrid().rowCount(), 20);
        if (!logging)
            child<QCheckBox>(form.get(), "LogTextCheck")->click();

        auto *clear = child<QPushButton>(form.get(), "key_clear_log");
        QVERIFY(!clear->isHidden());
        QCOMPARE(clear->text(), QStringLiteral("Clear Log"));
        clear->click();
        QCOMPARE(f.questions,
                 QStringList(QStringLiteral("Clear the 2 hits of this run from the log box, the "
                                            "table and this run's log file? The History "
                                            "keeps them.")));
        if (!confirmed) {
            // No keeps the box, the table and the file.
            QCOMPARE(form->hitLog().lineCount(), 2);
            QCOMPARE(form->logGrid().rowCount(), 20);
            QCOMPARE(fileBytes(*form, path), twoHits);
            return;
        }

        QVERIFY(form->hitLog().text().isEmpty());
        QCOMPARE(child<HitLogView>(form.get(), "logbox")->toPlainText(), QString());
        QCOMPARE(fileBytes(*form, path), logging ? QByteArray("\r\n") : twoHits);
        const LogGridModel &grid = form->logGrid();
        QCOMPARE(grid.rowCount(), 21);
        for (int row = 0; row < grid.rowCount(); ++row) {
            QCOMPARE(grid.rowNumber(row), row);
            for (int column = 1; column < LogGridModel::GridColumns; ++column)
                QCOMPARE(grid.cellText(row, column), QString());
        }
        QVERIFY(form->grid_blank_fill);

        // The log starts again from the next hit.
        f.radio().radio().queueReception(thirdHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        QCOMPARE(grid.rowCount(), 20);
        QCOMPARE(grid.cellText(0, 1), QStringLiteral("Lake County / Fire"));
        QCOMPARE(grid.cellText(0, 3), QStringLiteral(" 851.5625"));
        QCOMPARE(grid.rowNumber(1), 2);
        QString shown = form->hitLog().text();
        QCOMPARE(child<HitLogView>(form.get(), "logbox")->toPlainText(),
                 shown.remove(u'\r').chopped(1));
        QCOMPARE(fileBytes(*form, path), logging ? asFile(*form) : twoHits);
    }

    void everyHitGoesInTheDatabase()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        f.writeFile(QStringLiteral("pgm_settings.txt"), pgmSettings(false));
        auto form = f.makeForm();
        f.radio().radio().queueReception(firstHit);
        f.radio().radio().queueReception(secondHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 2, hitTimeoutMs);
        f.answer = true;
        child<QPushButton>(form.get(), "key_clear_log")->click();
        f.radio().radio().queueReception(thirdHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);

        HitStore store;
        QCOMPARE(store.open(HitDatabase::fileIn(f.dataDir())), HitStore::Fault::None);
        QTRY_COMPARE(store.count({}, {}), 3);
        const QList<QStringList> rows = store.rows({}, {}, 0, 3);
        QCOMPARE(rows.at(0).mid(0, 7).join(u'\t'), form->hitLog().line(0));
        QCOMPARE(rows.at(2).at(0), QStringLiteral("Marion County / Fire"));
        QCOMPARE(rows.at(2).at(7), QFileInfo(expectedFileName()).completeBaseName());
        // Recordings are kept without limit until the user sets one.
        QVERIFY(!child<QCheckBox>(form.get(), "keep_days_check")->isChecked());
        QVERIFY(!child<QCheckBox>(form.get(), "keep_gb_check")->isChecked());
    }

    void tickingLateWritesEverythingAtOnce()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        f.writeFile(QStringLiteral("pgm_settings.txt"), pgmSettings(false));
        auto form = f.makeForm();
        const QString path = form->hitLogFilePath();
        auto *check = child<QCheckBox>(form.get(), "LogTextCheck");
        QCOMPARE(check->text(), QStringLiteral("Log To Text File"));
        QVERIFY(!check->isChecked());

        for (const Reception &hit : {firstHit, secondHit, thirdHit})
            f.radio().radio().queueReception(hit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 3, hitTimeoutMs);
        QVERIFY(!QFileInfo::exists(path));

        check->click();
        QVERIFY(check->isChecked());
        const QByteArray threeHits = fileBytes(*form, path);
        QCOMPARE(threeHits, asFile(*form));
        QCOMPARE(threeHits.count('\n'), 4);

        // Cleared, the file keeps what it has; ticked again, it catches up.
        check->click();
        f.radio().radio().queueReception(fourthHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 4, hitTimeoutMs);
        QCOMPARE(fileBytes(*form, path), threeHits);
        check->click();
        QCOMPARE(fileBytes(*form, path), asFile(*form));
        QVERIFY(fileBytes(*form, path).startsWith("Clark County / Fire\tFire Tac 3\t"));
        form->flushLogFile();
        QVERIFY(f.messages.isEmpty());
    }

    void unwritableFolderLosesNothing()
    {
        RadioFixture f;
        // The log folder lies below a regular file, so it can never exist.
        f.writeFile(QStringLiteral("not-a-folder"), "x");
        const QString badFolder = QDir(f.dataDir()).filePath(QStringLiteral("not-a-folder/logs"));
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        f.writeFile(QStringLiteral("pgm_settings.txt"), pgmSettings(true, badFolder));
        auto form = f.makeForm();
        QCOMPARE(form->log_folder, badFolder);
        const QString badPath = form->hitLogFilePath();
        QCOMPARE(badPath, QDir(badFolder).filePath(expectedFileName()));

        f.radio().radio().queueReception(firstHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        form->flushLogFile();
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.first().contains(QDir::toNativeSeparators(badPath)),
                 qPrintable(f.messages.first()));

        // Later failures of the same spell are not announced again.
        f.radio().radio().queueReception(secondHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 2, hitTimeoutMs);
        form->flushLogFile();
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(!QFileInfo::exists(badPath));
        QVERIFY(form->hitLog().text().contains(QLatin1String("Fire Dispatch")));
        QVERIFY(form->hitLog().text().contains(QLatin1String("FD Fireground")));
        QCOMPARE(form->logGrid().cellText(0, 2), QStringLiteral("FD Fireground"));
        QCOMPARE(form->logGrid().cellText(1, 2), QStringLiteral("Fire Dispatch"));

        // A good folder: the choice alone writes nothing, the next hit
        // brings the new file up to date with every hit of the run.
        const QString goodFolder = QDir(f.dataDir()).filePath(QStringLiteral("logs"));
        QVERIFY(QDir().mkpath(goodFolder));
        f.folderToChoose = goodFolder;
        child<QPushButton>(form.get(), "log_dir")->click();
        form->flushLogFile();
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(child<QLineEdit>(form.get(), "Text3")->text(),
                 QStringLiteral("Log Directory now set to ") + goodFolder);
        const QString goodPath = QDir(goodFolder).filePath(expectedFileName());
        QCOMPARE(form->hitLogFilePath(), goodPath);
        QVERIFY(!QFileInfo::exists(goodPath));

        f.radio().radio().queueReception(thirdHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 3, hitTimeoutMs);
        QCOMPARE(fileBytes(*form, goodPath), asFile(*form));
        QCOMPARE(fileBytes(*form, goodPath).count('\n'), 4);
        form->flushLogFile();
        QCOMPARE(f.messages.size(), 1);
    }

    // The data folder on a disk that fills up: the log file and the settings
    // keep their last whole contents, the user hears once per spell, and the
    // log catches up (at the latest when the window closes) once there is room.
    void fullDiskKeepsTheLogAndTheSettingsWhole()
    {
        // Room for the hit database beside the files.
        SmallDisk disk(1024);
        if (!disk.isMounted())
            QSKIP("no right to mount a small filesystem here");
        RadioFixture f;
        f.dataFolder = disk.path();
        const QByteArray pgm = pgmSettings(true);
        for (const auto &[name, bytes] : {std::pair{"com_settings.txt", runningComSettings(1, 50)},
                                          std::pair{"pgm_settings.txt", pgm}}) {
            QFile file(disk.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        auto form = f.makeForm();
        const QString path = form->hitLogFilePath();
        f.radio().radio().queueReception(firstHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        const QByteArray oneHit = asFile(*form);
        QCOMPARE(fileBytes(*form, path), oneHit);

        disk.fill();
        f.radio().radio().queueReception(secondHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 2, hitTimeoutMs);
        QCOMPARE(fileBytes(*form, path), oneHit);
        QCOMPARE(f.messages.filter(QDir::toNativeSeparators(path)).size(), 1);
        QTRY_COMPARE(f.messages.filter(QStringLiteral("hit database")).size(), 1);
        QCOMPARE(f.messages.size(), 2);

        // Closing on the full disk: pgm_settings.txt keeps its old lines, and
        // the failure is said in the status line, not in a box.
        const QByteArray twoHits = asFile(*form);
        form->close();
        QCOMPARE(readWholeFile(disk.filePath(QStringLiteral("pgm_settings.txt"))), pgm);
        QVERIFY(f.messages.filter(QStringLiteral("pgm_settings.txt")).isEmpty());
        // The last of the settings files that could not be saved is shown.
        QVERIFY(child<QLineEdit>(form.get(), "Text3")
                    ->text()
                    .contains(QStringLiteral("could not be saved")));
        QCOMPARE(readWholeFile(path), oneHit);

        // With room again, closing writes the log a last time.
        disk.free();
        form.reset();
        form = f.makeForm();
        f.radio().radio().queueReception(thirdHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        disk.fill();
        f.radio().radio().queueReception(fourthHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 2, hitTimeoutMs);
        form->flushLogFile();
        disk.free();
        const QByteArray lastRun = asFile(*form);
        form->close();
        QCOMPARE(readWholeFile(path), lastRun);
        QVERIFY(twoHits != lastRun);
    }

    // A folder is confirmed in the status line, a refused one in a box, and
    // Cancel changes nothing; the Settings tab shows the folder in use.
    void logDirectoryMessages_data()
    {
        QTest::addColumn<QString>("picked"); // relative to the data folder
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<QString>("folder"); // the log folder afterwards
        QTest::addColumn<QString>("said");   // in the status line, or in a box
        QTest::newRow("a folder") << QStringLiteral("chosen") << true << QStringLiteral("chosen")
                                  << QStringLiteral("Log Directory now set to %1/chosen");
        QTest::newRow("cancelled") << QString() << false << QStringLiteral("before") << QString();
        QTest::newRow("relative path") << QStringLiteral("chosen") << false << QString()
                                       << QStringLiteral("Log Directory defaulting back to %1");
    }
    void logDirectoryMessages()
    {
        QFETCH(QString, picked);
        QFETCH(bool, absolute);
        QFETCH(QString, folder);
        QFETCH(QString, said);
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        const QString before = QDir(f.dataDir()).filePath(QStringLiteral("before"));
        f.writeFile(QStringLiteral("pgm_settings.txt"), pgmSettings(true, before));
        QVERIFY(QDir().mkpath(before) && QDir(f.dataDir()).mkpath(QStringLiteral("chosen")));
        auto form = f.makeForm();
        f.folderToChoose = absolute ? QDir(f.dataDir()).filePath(picked) : picked;

        child<QPushButton>(form.get(), "log_dir")->click();
        form->flushLogFile();
        const QString logFolder = QDir(f.dataDir()).filePath(folder);
        QCOMPARE(form->log_folder, folder.isEmpty() ? f.dataDir() : logFolder);
        QCOMPARE(child<QLabel>(form.get(), "logFolderLabel")->text(),
                 QStringLiteral("Log folder: ") + form->log_folder);
        const QString text = said.arg(f.dataDir());
        QCOMPARE(f.messages, absolute || said.isEmpty() ? QStringList() : QStringList{text});
        if (absolute)
            QCOMPARE(child<QLineEdit>(form.get(), "Text3")->text(), text);

        f.radio().radio().queueReception(firstHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        QCOMPARE(fileBytes(*form, QDir(form->log_folder).filePath(expectedFileName())),
                 asFile(*form));
    }

    // The run's file goes along to the new folder, so that no run is ever
    // kept in two folders (and counted twice by the History).
    void newFolderMidRunMovesTheRunsFile()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        f.writeFile(QStringLiteral("pgm_settings.txt"), pgmSettings(true));
        auto form = f.makeForm();
        const QString folderA = QDir(f.dataDir()).filePath(QStringLiteral("a"));
        const QString folderB = QDir(f.dataDir()).filePath(QStringLiteral("b"));
        QVERIFY(QDir().mkpath(folderA));
        QVERIFY(QDir().mkpath(folderB));

        f.folderToChoose = folderA;
        child<QPushButton>(form.get(), "log_dir")->click();
        f.radio().radio().queueReception(firstHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        const QByteArray oneHit = asFile(*form);
        QCOMPARE(fileBytes(*form, QDir(folderA).filePath(expectedFileName())), oneHit);

        f.folderToChoose = folderB;
        child<QPushButton>(form.get(), "log_dir")->click();
        QCOMPARE(readWholeFile(QDir(folderB).filePath(expectedFileName())), oneHit);
        QVERIFY(!QFileInfo::exists(QDir(folderA).filePath(expectedFileName())));
        f.radio().radio().queueReception(secondHit);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 2, hitTimeoutMs);
        QCOMPARE(fileBytes(*form, QDir(folderB).filePath(expectedFileName())), asFile(*form));
        QVERIFY(!QFileInfo::exists(QDir(folderA).filePath(expectedFileName())));
        QVERIFY(f.messages.isEmpty());
    }
};

QTEST_MAIN(TestLogFileForm)
#include "tst_logfile_form.moc"
