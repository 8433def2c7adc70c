#include "log/hitlogfilequeue.h"
#include "support/radiofixture.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestHitLogFileQueue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theNewestTextEndsUpInTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.txt"));
        HitLogFileQueue queue;
        QSignalSpy written(&queue, &HitLogFileQueue::written);
        QString text;
        for (int i = 0; i < 200; ++i) {
            text.prepend(QStringLiteral("hit %1 / x\r\n").arg(i));
            queue.write(path, text);
        }
        queue.waitUntilWritten();
        QVERIFY(queue.isIdle());
        QCOMPARE(readWholeFile(path), text.toUtf8() + "\r\n");
        // Texts that waited behind a write were replaced, not all written.
        QTRY_VERIFY(written.size() >= 1);
        QVERIFY(written.size() <= 200);
        const auto outcome = written.last().at(0).value<HitLogFileWriter::WriteOutcome>();
        QVERIFY(outcome.ok);
        QVERIFY(!outcome.tellUser);
    }

    void aFailureIsToldOnceAndTheNextSuccessCatchesUp()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("notafolder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString bad = dir.filePath(QStringLiteral("notafolder/run.txt"));
        const QString good = dir.filePath(QStringLiteral("run.txt"));

        HitLogFileQueue queue;
        QSignalSpy written(&queue, &HitLogFileQueue::written);
        queue.write(bad, QStringLiteral("a / 1\r\n"));
        queue.waitUntilWritten();
        queue.write(bad, QStringLiteral("b / 2\r\na / 1\r\n"));
        queue.waitUntilWritten();
        QTRY_COMPARE(written.size(), 2);
        const auto first = written.at(0).at(0).value<HitLogFileWriter::WriteOutcome>();
        const auto second = written.at(1).at(0).value<HitLogFileWriter::WriteOutcome>();
        QVERIFY(!first.ok);
        QVERIFY(first.tellUser);
        QVERIFY(first.message.contains(bad));
        QVERIFY(!second.ok);
        QVERIFY(!second.tellUser);

        queue.write(good, QStringLiteral("c / 3\r\nb / 2\r\na / 1\r\n"));
        queue.waitUntilWritten();
        QCOMPARE(readWholeFile(good), QByteArray("c / 3\r\nb / 2\r\na / 1\r\n\r\n"));
    }

    void goingAwayWritesWhatIsWaiting()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.txt"));
        {
            HitLogFileQueue queue;
            queue.write(path, QStringLiteral("last / words\r\n"));
        }
        QCOMPARE(readWholeFile(path), QByteArray("last / words\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestHitLogFileQueue)
#include "tst_hitlogfilequeue.moc"
