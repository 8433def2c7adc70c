#include "log/logfilepath.h"
#include "log/logfolderchoice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestLogFilePath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void isLogFolder_data();
    void isLogFolder();
    void fileName_data();
    void fileName();
    void filePath_data();
    void filePath();
    void folderChoice_data();
    void folderChoice();
    void runFileMove_data();
    void runFileMove();
};

void TestLogFilePath::isLogFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("expected");

    QTest::newRow("absolute") << QStringLiteral("/home/user/logs") << true;
    QTest::newRow("root") << QStringLiteral("/") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("bare name") << QStringLiteral("logs") << false;
    QTest::newRow("relative with dots") << QStringLiteral("./logs") << false;
    QTest::newRow("relative nested") << QStringLiteral("radio/logs") << false;
}

void TestLogFilePath::isLogFolder()
{
    QFETCH(QString, folder);
    QFETCH(bool, expected);
    QCOMPARE(::isLogFolder(folder), expected);
}

void TestLogFilePath::fileName_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("expected");

    QTest::newRow("fixed time") << QStringLiteral("12-06-2026") << QStringLiteral("3-45-12-PM")
                                << QStringLiteral("12-06-2026_3-45-12-PM.txt");
    QTest::newRow("raw time is cleaned")
        << QStringLiteral("12-06-2026") << QStringLiteral("3:45:12 PM")
        << QStringLiteral("12-06-2026_3-45-12-PM.txt");
    QTest::newRow("24 hour") << QStringLiteral("01-31-2027") << QStringLiteral("15-45-12")
                             << QStringLiteral("01-31-2027_15-45-12.txt");
}

void TestLogFilePath::fileName()
{
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, expected);
    QCOMPARE(hitLogFileName(date, time), expected);
}

void TestLogFilePath::filePath_data()
{
    QTest::addColumn<QString>("logFolder");
    QTest::addColumn<QString>("expected");

    const QString name = QStringLiteral("12-06-2026_3-45-12-PM.txt");
    QTest::newRow("absolute folder")
        << QStringLiteral("/srv/logs") << QStringLiteral("/srv/logs/") + name;
    QTest::newRow("trailing slash")
        << QStringLiteral("/srv/logs/") << QStringLiteral("/srv/logs/") + name;
    QTest::newRow("empty -> data folder") << QString() << QStringLiteral("/opt/tollvane/") + name;
    QTest::newRow("relative -> data folder")
        << QStringLiteral("logs") << QStringLiteral("/opt/tollvane/") + name;
}

void TestLogFilePath::filePath()
{
    QFETCH(QString, logFolder);
    QFETCH(QString, expected);
    QCOMPARE(hitLogFilePath(logFolder, QStringLiteral("/opt/tollvane"),
                            QStringLiteral("12-06-2026"), QStringLiteral("3-45-12-PM")),
             expected);
}

void TestLogFilePath::folderChoice_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("message");

    QTest::newRow("absolute kept")
        << QStringLiteral("/media/usb/logs") << true << QStringLiteral("/media/usb/logs")
        << QStringLiteral("Log Directory now set to /media/usb/logs");
    QTest::newRow("cancelled changes nothing") << QString() << false << QString() << QString();
    QTest::newRow("relative") << QStringLiteral("logs") << true << QStringLiteral("/opt/tollvane")
                              << QStringLiteral("Log Directory defaulting back to /opt/tollvane");
}

void TestLogFilePath::folderChoice()
{
    QFETCH(QString, picked);
    QFETCH(bool, changed);
    QFETCH(QString, folder);
    QFETCH(QString, message);
    const LogFolderChoice choice = chooseLogFolder(picked, QStringLiteral("/opt/tollvane"));
    QCOMPARE(choice.changed, changed);
    QCOMPARE(choice.logFolder, folder);
    QCOMPARE(choice.message, message);
}

// Moving this run's file to a new log folder (the window's test follows the
// move itself): the same folder, no file yet and a failure leave it be.
void TestLogFilePath::runFileMove_data()
{
    QTest::addColumn<QString>("to"); // below the temporary folder
    QTest::addColumn<bool>("fails");
    QTest::newRow("the same folder") << QStringLiteral("a/run.txt") << false;
    QTest::newRow("nothing written yet") << QStringLiteral("b/run.txt") << false;
    QTest::newRow("a folder that is not there") << QStringLiteral("missing/run.txt") << true;
}

void TestLogFilePath::runFileMove()
{
    QFETCH(QString, to);
    QFETCH(bool, fails);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("a")));
    const QString from = dir.filePath(QStringLiteral("a/run.txt"));
    const bool written = QTest::currentDataTag() != QLatin1String("nothing written yet");
    QFile file(from);
    QVERIFY(!written || (file.open(QIODevice::WriteOnly) && file.write("hit\r\n") == 5));
    file.close();
    QCOMPARE(moveRunFile(from, dir.filePath(to)).isEmpty(), !fails);
    QCOMPARE(QFile::exists(from), written);
    QCOMPARE(QFile::exists(dir.filePath(to)), written && !fails);
}

QTEST_GUILESS_MAIN(TestLogFilePath)
#include "tst_logfilepath.moc"
