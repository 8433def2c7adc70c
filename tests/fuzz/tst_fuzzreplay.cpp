// Replays the fuzzer's checked-in corpus through the poll: reply sets the
// simulated radio gave, broken ones, and every input a fuzzing run found
// failing.
#include "pollticks.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestFuzzReplay : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void corpusInputHolds_data()
    {
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(TOLLVANE_FUZZ_CORPUS));
        const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
        QVERIFY(names.size() >= 10);
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    }

    void corpusInputHolds()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString fault = runPollTicks(file.readAll());
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void readsAreCutAtTheTickBreak_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("reads");
        QTest::newRow("one read") << QByteArray("STS,1\rGLG\rWIN\r") << 1;
        QTest::newRow("three reads") << QByteArray("a\r\n~\nb\r\n~\n") << 3;
        QTest::newRow("a lone LF stays in the read") << QByteArray("a\nb\r~\r") << 1;
    }

    void readsAreCutAtTheTickBreak()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, reads);
        QCOMPARE(snapshotReads(input).size(), reads);
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
