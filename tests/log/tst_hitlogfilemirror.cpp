#include "log/hitlogfilemirror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

const QString fileName = QStringLiteral("12-06-2026_3-45-12-PM.txt");
const QString hitA =
    QStringLiteral("A / a\tone\t 154.2500\tC67.0\t3:45:12 PM\t3:45:20 PM\t12-06-2026\r\n");
const QString hitB =
    QStringLiteral("B / b\ttwo\t 851.5625\t1234\t3:46:01 PM\t3:46:09 PM\t12-06-2026\r\n");

} // namespace

class TestHitLogFileMirror : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void offWritesNothing();
    void tickingCatchesUp();
    void clearWithLoggingOn();
    void clearWithLoggingOff();
    void newFolderMidRun();
    void failingFolderTellsOnce();

private:
    QTemporaryDir *m_dir = nullptr;
    QString dataFolder() const { return m_dir->filePath(QStringLiteral("data")); }
    HitLogFileMirror mirror() const
    {
        return HitLogFileMirror(dataFolder(), QStringLiteral("12-06-2026"),
                                QStringLiteral("3-45-12-PM"));
    }
};

void TestHitLogFileMirror::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(dataFolder()));
}

void TestHitLogFileMirror::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
}

void TestHitLogFileMirror::offWritesNothing()
{
    HitLogFileMirror files = mirror();
    QVERIFY(!files.logToFile());
    const auto outcome = files.logTextChanged(hitA);
    QVERIFY(outcome.ok);
    QVERIFY(!outcome.written);
    QVERIFY(!QFile::exists(files.filePath()));
}

void TestHitLogFileMirror::tickingCatchesUp()
{
    HitLogFileMirror files = mirror();
    files.logTextChanged(hitA);
    files.logTextChanged(hitB + hitA);
    const auto outcome = files.setLogToFile(true, hitB + hitA);
    QVERIFY(outcome.written);
    QCOMPARE(files.filePath(), dataFolder() + u'/' + fileName);
    QCOMPARE(readFile(files.filePath()), (hitB + hitA + QStringLiteral("\r\n")).toUtf8());
}

void TestHitLogFileMirror::clearWithLoggingOn()
{
    HitLogFileMirror files = mirror();
    files.setLogToFile(true, hitB + hitA);
    files.logTextChanged(QString());
    QCOMPARE(readFile(files.filePath()), QByteArray("\r\n"));
}

void TestHitLogFileMirror::clearWithLoggingOff()
{
    HitLogFileMirror files = mirror();
    files.setLogToFile(true, hitB + hitA);
    const auto outcome = files.setLogToFile(false, hitB + hitA);
    QVERIFY(!outcome.written);
    files.logTextChanged(QString());
    QCOMPARE(readFile(files.filePath()), (hitB + hitA + QStringLiteral("\r\n")).toUtf8());
}

void TestHitLogFileMirror::newFolderMidRun()
{
    HitLogFileMirror files = mirror();
    files.setLogToFile(true, hitA);
    const QString oldPath = files.filePath();

    const QString newFolder = m_dir->filePath(QStringLiteral("usb"));
    QVERIFY(QDir().mkpath(newFolder));
    files.setLogFolder(newFolder);
    QCOMPARE(readFile(newFolder + u'/' + fileName), QByteArray("<missing>"));
    files.logTextChanged(hitB + hitA);

    QCOMPARE(files.filePath(), newFolder + u'/' + fileName);
    QCOMPARE(readFile(files.filePath()), (hitB + hitA + QStringLiteral("\r\n")).toUtf8());
    QCOMPARE(readFile(oldPath), (hitA + QStringLiteral("\r\n")).toUtf8());
}

void TestHitLogFileMirror::failingFolderTellsOnce()
{
    HitLogFileMirror files = mirror();
    const QString gone = m_dir->filePath(QStringLiteral("gone"));
    files.setLogFolder(gone);
    const auto first = files.setLogToFile(true, hitA);
    QVERIFY(!first.ok);
    QVERIFY(first.tellUser);
    QVERIFY(files.isFailing());
    const auto second = files.logTextChanged(hitB + hitA);
    QVERIFY(!second.ok);
    QVERIFY(!second.tellUser);

    QVERIFY(QDir().mkpath(gone));
    QVERIFY(files.logTextChanged(hitB + hitA).ok);
    QCOMPARE(readFile(files.filePath()), (hitB + hitA + QStringLiteral("\r\n")).toUtf8());
}

QTEST_GUILESS_MAIN(TestHitLogFileMirror)
#include "tst_hitlogfilemirror.moc"
