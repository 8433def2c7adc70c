#include "log/hitlogfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A buffer that takes the first limit bytes and then fails like a full disk.
class FailingBuffer : public QBuffer
{
public:
    explicit FailingBuffer(qint64 limit) : m_limit(limit) {}

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        const qint64 room = m_limit - buffer().size();
        if (room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        return QBuffer::writeData(data, qMin(len, room));
    }

private:
    qint64 m_limit;
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

const QString firstLine = QStringLiteral(
    "County / Fire\tDispatch\t 154.2500\tC67.0\t3:45:12 PM\t3:45:20 PM\t12-06-2026\r\n");
const QString secondLine = QStringLiteral(
    "Metro / Police\tTac 2\t 851.5625\t1234\t3:46:01 PM\t3:46:09 PM\t12-06-2026\r\n");

} // namespace

class TestHitLogFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writeAllStopsAtFailure_data();
    void writeAllStopsAtFailure();
    void writeAllWithoutErrorText();
    void firstWriteCreatesFile();
    void emptyLogGivesLineEnd();
    void secondWriteNewerFirst();
    void textIsUtf8();
    void missingFolderToldOnceThenCatchesUp();
    void fileWhereFolderShouldBe();
    void failureLeavesNoTemporaryFile();
};

void TestHitLogFile::writeAllStopsAtFailure_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("ok");

    QTest::newRow("fails at once") << qint64(0) << false;
    QTest::newRow("fails after 1 byte") << qint64(1) << false;
    QTest::newRow("fails in the middle") << qint64(40) << false;
    QTest::newRow("fails at last byte") << qint64(99) << false;
    QTest::newRow("exactly enough") << qint64(100) << true;
    QTest::newRow("plenty") << qint64(1000) << true;
}

void TestHitLogFile::writeAllStopsAtFailure()
{
    QFETCH(qint64, limit);
    QFETCH(bool, ok);

    const QByteArray data(100, 'x');
    FailingBuffer device(limit);
    QVERIFY(device.open(QIODevice::WriteOnly));
    QString error;
    QCOMPARE(writeAll(device, data, &error), ok);
    QCOMPARE(device.data(), data.left(qMin<qint64>(limit, data.size())));
    if (ok)
        QVERIFY(error.isEmpty());
    else
        QCOMPARE(error, QStringLiteral("No space left on device"));
}

void TestHitLogFile::writeAllWithoutErrorText()
{
    FailingBuffer device(3);
    QVERIFY(device.open(QIODevice::WriteOnly));
    QVERIFY(!writeAll(device, QByteArray("abcdef"), nullptr));
    QCOMPARE(device.data(), QByteArray("abc"));
}

void TestHitLogFile::firstWriteCreatesFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("12-06-2026_3-45-12-PM.txt"));
    HitLogFileWriter writer;
    const auto outcome = writer.write(path, firstLine);
    QVERIFY(outcome.ok);
    QVERIFY(outcome.written);
    QVERIFY(!outcome.tellUser);
    QCOMPARE(readFile(path), firstLine.toUtf8() + "\r\n");
    QVERIFY(readFile(path).endsWith("\r\n\r\n"));
}

void TestHitLogFile::emptyLogGivesLineEnd()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    QString error;
    QVERIFY(WriteHitLogFile(path, QString(), &error));
    QCOMPARE(readFile(path), QByteArray("\r\n"));
}

void TestHitLogFile::secondWriteNewerFirst()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    HitLogFileWriter writer;
    QVERIFY(writer.write(path, firstLine).ok);
    QVERIFY(writer.write(path, secondLine + firstLine).ok);
    QCOMPARE(readFile(path), (secondLine + firstLine).toUtf8() + "\r\n");
}

void TestHitLogFile::textIsUtf8()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    const QString line = QStringLiteral("Caf\u00e9 / \u00c5rhus\tK\u00f8\r\n");
    QVERIFY(WriteHitLogFile(path, line, nullptr));
    QCOMPARE(QString::fromUtf8(readFile(path)), line + QStringLiteral("\r\n"));
}

void TestHitLogFile::missingFolderToldOnceThenCatchesUp()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("gone"));
    const QString path = folder + QStringLiteral("/log.txt");
    HitLogFileWriter writer;

    const auto first = writer.write(path, firstLine);
    QVERIFY(!first.ok);
    QVERIFY(first.tellUser);
    QVERIFY(first.message.contains(QDir::toNativeSeparators(path)));
    QVERIFY2(first.message.contains(QStringLiteral("does not exist")), qPrintable(first.message));
    QVERIFY(first.message.contains(QStringLiteral("next write that succeeds")));
    QVERIFY(writer.isFailing());

    const auto second = writer.write(path, secondLine + firstLine);
    QVERIFY(!second.ok);
    QVERIFY(!second.tellUser);

    QVERIFY(QDir().mkpath(folder));
    const auto third = writer.write(path, secondLine + firstLine);
    QVERIFY(third.ok);
    QVERIFY(!third.tellUser);
    QVERIFY(!writer.isFailing());
    QCOMPARE(readFile(path), (secondLine + firstLine).toUtf8() + "\r\n");

    // A new failure after a success is a new spell: the user hears again.
    QVERIFY(QDir(folder).removeRecursively());
    const auto fourth = writer.write(path, firstLine);
    QVERIFY(!fourth.ok);
    QVERIFY(fourth.tellUser);
}

void TestHitLogFile::fileWhereFolderShouldBe()
{
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("logs"));
    QFile blocker(notAFolder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    HitLogFileWriter writer;
    const auto outcome = writer.write(notAFolder + QStringLiteral("/log.txt"), firstLine);
    QVERIFY(!outcome.ok);
    QVERIFY(outcome.tellUser);
    QVERIFY2(outcome.message.contains(QStringLiteral("is not a folder")),
             qPrintable(outcome.message));
    QCOMPARE(readFile(notAFolder), QByteArray());
}

void TestHitLogFile::failureLeavesNoTemporaryFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    QVERIFY(QDir().mkpath(path)); // a folder standing where the file should be
    QString error;
    QVERIFY(!WriteHitLogFile(path, firstLine, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_GUILESS_MAIN(TestHitLogFile)
#include "tst_hitlogfile.moc"
