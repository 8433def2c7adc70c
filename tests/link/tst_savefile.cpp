// A whole file or nothing: a write that fails part way (a full disk, a file
// size limit) leaves the old file as it was and says why.
#include "link/savefile.h"

#include "support/smalldisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Files of the folder, the old file and no left-over temporary file.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestSaveFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The process may not grow a file beyond 1 KiB: every write behind the
    // limit fails as on a full device, whatever the filesystem.
    void failingDeviceKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::newRow("inside Qt's buffer") << 4000;
        QTest::newRow("beyond Qt's buffer") << 100000;
    }
    void failingDeviceKeepsTheOldFile()
    {
        QFETCH(int, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        put(path, "nine hits\r\n");

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = 1024;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limited) == 0);
        const QString why = saveWholeFile(path, QByteArray(bytes, 'h'));
        ::setrlimit(RLIMIT_FSIZE, &saved);

        QVERIFY2(!why.isEmpty(), "a failed write reported as success");
        QCOMPARE(contents(path), QByteArray("nine hits\r\n"));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("log.txt")});
    }

    void fullDiskKeepsTheOldFileAndSaysSo()
    {
        SmallDisk disk;
        if (!disk.isMounted())
            QSKIP("no right to mount a small filesystem here");
        const QString path = disk.filePath(QStringLiteral("com_settings.txt"));
        put(path, "0\r\n4\r\n100\r\n");
        disk.fill();
        const QString why = saveWholeFile(path, QByteArray(9000, '1'));
        QVERIFY2(why.contains(QLatin1String("space")), qPrintable(why));
        QCOMPARE(contents(path), QByteArray("0\r\n4\r\n100\r\n"));
        QCOMPARE(entries(disk.path()),
                 (QStringList{QStringLiteral("com_settings.txt"), QStringLiteral("filler")}));

        disk.free();
        QCOMPARE(saveWholeFile(path, QByteArray(9000, '1')), QString());
        QCOMPARE(contents(path), QByteArray(9000, '1'));
    }

    // All bytes written, and only the last step fails: the file cannot be
    // replaced (another file is mounted over it, so renaming onto it is
    // refused). That failure is reported too.
    void fileThatCannotBeReplacedIsReported()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pgm_settings.txt"));
        const QString cover = dir.filePath(QStringLiteral("cover"));
        put(path, "old\r\n");
        put(cover, "cover\r\n");
        if (::mount(QFile::encodeName(cover).constData(), QFile::encodeName(path).constData(),
                    nullptr, MS_BIND, nullptr) != 0)
            QSKIP("no right to mount here");
        const QString why = saveWholeFile(path, "new\r\n");
        ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
        QVERIFY2(!why.isEmpty(), "a failed replace reported as success");
        QCOMPARE(contents(path), QByteArray("old\r\n"));
    }
};

QTEST_MAIN(TestSaveFile)
#include "tst_savefile.moc"
