// The History tab on a real window: its place after the four tabs, an
// earlier run read from the data folder, this run's hits coming in live, and
// typing a filter that never reaches the radio, closing on the tab.
#include "support/radiofixture.h"

#include "log/widgets/historypanel.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

class TestHistoryForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void earlierRunsAndThisRunLive()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        // Logging to the file is on, so this run's own file exists too.
        f.writeFile(QStringLiteral("pgm_settings.txt"), "0\r\n0\r\n1\r\n");
        f.writeFile(QStringLiteral("12-05-2026_8-00-00-AM.txt"),
                    "Old / Group\tOld Channel\t 460.1250\tC67.0\t8:01:00 AM\t8:01:09 AM\t"
                    "12-05-2026\r\ndamaged line\r\n\r\n");
        auto form = f.makeForm();

        auto *tabs = child<QTabWidget>(form.get(), "SSTab1");
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions.append(tabs->tabText(i));
        QCOMPARE(captions,
                 QStringList({"Log", "Extended Info", "Tuner", "Settings", "History", "Alerts"}));

        Reception reception;
        reception.system = "Metro";
        reception.group = "Fire";
        reception.channel = "Engine 5";
        reception.frequency = "01540700";
        reception.tone = "76";
        reception.activeTicks = 3;
        reception.gapTicks = 3;
        f.radio().radio().queueReception(reception);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, 15000);

        // Nothing is read or kept before the tab is opened; then the earlier
        // run comes in with this run's hits so far, and later hits live.
        QCOMPARE(form->historyPanel(), nullptr);
        tabs->setCurrentIndex(4);
        HistoryPanel *history = form->historyPanel();
        QVERIFY(history && tabs->widget(4)->isAncestorOf(history));
        QTRY_VERIFY_WITH_TIMEOUT(!history->findChild<QWidget *>("history_progress")->isVisible() &&
                                     history->model().totalCount() == 2,
                                 15000);
        QCOMPARE(history->model().cellText(1, HistoryModel::Run),
                 QStringLiteral("12-05-2026_8-00-00-AM"));
        reception.channel = "Engine 6";
        f.radio().radio().queueReception(reception);
        QTRY_COMPARE_WITH_TIMEOUT(history->model().totalCount(), 3, 15000);
        QCOMPARE(history->model().cellText(0, HistoryModel::Channel), QStringLiteral("Engine 6"));
        QCOMPARE(history->model().cellText(1, HistoryModel::Channel), QStringLiteral("Engine 5"));
        QCOMPARE(history->model().cellText(0, HistoryModel::Run) + QStringLiteral(".txt"),
                 QFileInfo(form->hitLogFilePath()).fileName());
        QCOMPARE(child<QLabel>(history, "history_row_count")->text(),
                 QStringLiteral("3 of 3 hits"));
        QCOMPARE(child<QLabel>(history, "history_status")->text(),
                 QStringLiteral("1 line skipped in 1 file"));
    }

    void aNewLogFolderNeverDoublesAHit()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        const QByteArray older = "Old / Group\tOld Channel\t 460.1250\tC67.0\t8:01:00 AM\t"
                                 "8:01:09 AM\t12-05-2026\r\n";
        f.writeFile(QStringLiteral("12-05-2026_8-00-00-AM.txt"), older);
        // The same run in the folder chosen next, where it went on to a
        // second hit.
        QVERIFY(QDir(f.dataDir()).mkdir(QStringLiteral("logs")));
        f.writeFile(QStringLiteral("logs/12-05-2026_8-00-00-AM.txt"),
                    "Old / Group\tNew Channel\t 460.1250\tC67.0\t8:02:00 AM\t8:02:09 AM\t"
                    "12-05-2026\r\n" +
                        older);
        auto form = f.makeForm();
        auto *tabs = child<QTabWidget>(form.get(), "SSTab1");
        tabs->setCurrentIndex(4);
        HistoryPanel *history = form->historyPanel();
        QSignalSpy loaded(history, &HistoryPanel::loaded);
        QTRY_VERIFY_WITH_TIMEOUT(loaded.size() >= 1 && history->model().totalCount() == 1, 15000);
        loaded.clear();
        f.folderToChoose = QDir(f.dataDir()).filePath(QStringLiteral("logs"));
        child<QPushButton>(form.get(), "log_dir")->click();
        QTRY_VERIFY_WITH_TIMEOUT(loaded.size() >= 1, 15000);
        QTRY_COMPARE(history->model().totalCount(), 2);
        QCOMPARE(history->model().cellText(0, HistoryModel::Channel),
                 QStringLiteral("New Channel"));
        QCOMPARE(history->model().cellText(1, HistoryModel::Channel),
                 QStringLiteral("Old Channel"));
        // Back to the data folder: nothing more comes in.
        f.folderToChoose = f.dataDir();
        child<QPushButton>(form.get(), "log_dir")->click();
        QTRY_VERIFY_WITH_TIMEOUT(loaded.size() >= 2, 15000);
        QCOMPARE(history->model().totalCount(), 2);
    }

    void typingAFilterLeavesTheRadioAlone()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        auto form = f.makeForm();
        form->show();
        QTRY_VERIFY(form->isRunning());
        auto *tabs = child<QTabWidget>(form.get(), "SSTab1");
        tabs->setCurrentIndex(4);
        auto *find = child<QLineEdit>(form.get(), "history_find");
        find->setFocus();
        // Q is the Run/Stop key everywhere else in the window.
        QTest::keyClicks(find, QStringLiteral("q fire"));
        QCOMPARE(find->text(), QStringLiteral("q fire"));
        QVERIFY(form->isRunning());
        // Closed on the History tab, the settings file keeps a tab it knows.
        form->close();
        QVERIFY(f.readFile(QStringLiteral("pgm_settings.txt")).startsWith("0\r\n"));
    }
};

QTEST_MAIN(TestHistoryForm)
#include "tst_history_form.moc"
