#include "link/savefile.h"
#include "log/historycsv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class TestHistoryCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quotesAsExpectedFile();
    void writesThroughSaveFile();
    void failureKeepsOldFile();
};

void TestHistoryCsv::quotesAsExpectedFile()
{
    QFile expected(QFINDTESTDATA("log/history_expected.csv"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    const QByteArray csv = csvTable(
        {QStringLiteral("System / Group"), QStringLiteral("Channel"), QStringLiteral("Note")},
        {{QStringLiteral("County / Fire"), QStringLiteral("Dispatch, Main"),
          QStringLiteral(" 154.2500")},
         {QStringLiteral("Metro \"North\""), QStringLiteral("Tac 2"),
          QStringLiteral("two\r\nlines")},
         {QStringLiteral("Café / Grün"), QString(), QStringLiteral("bare\nline feed")}});
    QCOMPARE(csv, expected.readAll());
}

void TestHistoryCsv::writesThroughSaveFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hits.csv"));
    QVERIFY(saveWholeFile(path, "a,b\r\n").isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("a,b\r\n"));
}

void TestHistoryCsv::failureKeepsOldFile()
{
    QTemporaryDir dir;
    QString error = saveWholeFile(dir.filePath(QStringLiteral("gone/hits.csv")), "a\r\n");
    QVERIFY(!error.isEmpty());
    // A disk that fills up: the process may write no more than 1 KiB per
    // file, so the flush fails; the old file stays whole.
    const QString path = dir.filePath(QStringLiteral("old.csv"));
    QVERIFY(saveWholeFile(path, "old\r\n").isEmpty());
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit saved = limit;
    limit.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    error = saveWholeFile(path, QByteArray(64 * 1024, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(!error.isEmpty());
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.csv")});
}

QTEST_GUILESS_MAIN(TestHistoryCsv)
#include "tst_historycsv.moc"
