#include "app/settingsfiles.h"
#include "window/layoutchoice.h"
#include "app/tuningsettings.h"

#include <QTemporaryDir>
#include <QTest>

class TestSettingsFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void comRoundTrip()
    {
        const QByteArray bytes = writeComSettings(2, 1, 100);
        QCOMPARE(bytes, QByteArray("2\r\n1\r\n100\r\n"));
        const ComSettings s = readComSettings(bytes);
        QCOMPARE(s.portIndex, std::optional<int>(2));
        QCOMPARE(s.speedIndex, std::optional<int>(1));
        QCOMPARE(s.interval, std::optional<int>(100));
        QVERIFY(!s.device);
        // The device the number stood for follows the three lines.
        const QByteArray withDevice =
            writeComSettings(0, 4, 100, QStringLiteral("/dev/serial/by-id/usb-R"));
        QCOMPARE(withDevice, QByteArray("0\r\n4\r\n100\r\n\"/dev/serial/by-id/usb-R\"\r\n"));
        QCOMPARE(readComSettings(withDevice).device.value(),
                 QStringLiteral("/dev/serial/by-id/usb-R"));
    }

    void pgmWindowEdgesStayInsideInt_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<double>("twips");
        QTest::newRow("far right") << QByteArray("99999999999999999999") << 2147483647.0;
        QTest::newRow("far left") << QByteArray("-99999999999") << -2147483648.0;
        QTest::newRow("ordinary") << QByteArray("1187.5") << 1187.5;
    }
    void pgmWindowEdgesStayInsideInt()
    {
        QFETCH(QByteArray, line);
        QFETCH(double, twips);
        const PgmSettings s = readPgmSettings(
            "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n" + line + "\r\n" + line + "\r\n", 56);
        QCOMPARE(s.left.value(), twips);
        QCOMPARE(s.top.value(), twips);
    }

    void comReading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("port"); // -2: line ignored
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("interval"); // 0: keeps the default
        QTest::newRow("two lines") << QByteArray("2\r\n1\r\n") << 2 << 1 << 0;
        QTest::newRow("one line") << QByteArray("4\r\n") << 4 << -2 << 0;
        QTest::newRow("no line end") << QByteArray("3\r\n4\r\n250") << 3 << 4 << 250;
        QTest::newRow("bare LF") << QByteArray("3\n4\n250\n") << 3 << 4 << 250;
        QTest::newRow("nothing selected") << QByteArray("-1\r\n-1\r\n100\r\n") << -1 << -1 << 100;
        QTest::newRow("port out of range") << QByteArray("10\r\n1\r\n100\r\n") << -2 << 1 << 100;
        QTest::newRow("speed out of range") << QByteArray("1\r\n5\r\n100\r\n") << 1 << -2 << 100;
        QTest::newRow("negative index") << QByteArray("-7\r\n-3\r\n") << -2 << -2 << 0;
        QTest::newRow("interval zero") << QByteArray("1\r\n1\r\n0\r\n") << 1 << 1 << 0;
        QTest::newRow("interval nonsense") << QByteArray("1\r\n1\r\n-5\r\n") << 1 << 1 << 0;
        QTest::newRow("interval 10: the least") << QByteArray("1\r\n1\r\n10\r\n") << 1 << 1 << 10;
        QTest::newRow("interval 9") << QByteArray("1\r\n1\r\n9\r\n") << 1 << 1 << 0;
        QTest::newRow("interval 60000: the most")
            << QByteArray("1\r\n1\r\n60000\r\n") << 1 << 1 << 60000;
        QTest::newRow("interval 60001") << QByteArray("1\r\n1\r\n60001\r\n") << 1 << 1 << 0;
        QTest::newRow("garbage") << QByteArray("port\r\n\x01\xff\r\nfast\r\n") << 0 << 0 << 0;
        QTest::newRow("leading number")
            << QByteArray("3 apples\r\n 2\r\n150ms\r\n") << 3 << 2 << 150;
        QTest::newRow("empty") << QByteArray() << -2 << -2 << 0;
        QTest::newRow("extra lines") << QByteArray("1\r\n2\r\n300\r\nmore\r\n") << 1 << 2 << 300;
    }
    void comReading()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, port);
        QFETCH(int, speed);
        QFETCH(int, interval);
        const ComSettings s = readComSettings(file);
        QCOMPARE(s.portIndex.value_or(-2), port);
        QCOMPARE(s.speedIndex.value_or(-2), speed);
        QCOMPARE(s.interval.value_or(0), interval);
    }

    void pgmRoundTripIsByteExact()
    {
        PgmValues v;
        v.tab = 2;
        v.recordAudio = true;
        v.logText = false;
        v.alwaysOnTop = true;
        v.state1 = 37;
        v.state2 = 5;
        v.layout = 3;
        v.left = 1187.5;
        v.top = 1200;
        v.logFolder = QStringLiteral("/home/listener/logs");
        const QByteArray bytes = writePgmSettings(v);
        QCOMPARE(bytes, QByteArray("2\r\n1\r\n0\r\n1\r\n37\r\n5\r\n3\r\n1187.5\r\n1200\r\n"
                                   "\"/home/listener/logs\"\r\n"));
        const PgmSettings s = readPgmSettings(bytes, 56);
        QCOMPARE(s.tab.value(), 2);
        QCOMPARE(s.recordAudio.value(), true);
        QCOMPARE(s.logText.value(), false);
        QCOMPARE(s.alwaysOnTop.value(), true);
        QCOMPARE(s.state1.value(), 37);
        QCOMPARE(s.state2.value(), 5);
        QCOMPARE(s.layout.value(), 3);
        QCOMPARE(s.left.value(), 1187.5);
        QCOMPARE(s.top.value(), 1200.0);
        QCOMPARE(s.logFolder.value(), v.logFolder);
        PgmValues again;
        again.tab = *s.tab;
        again.recordAudio = *s.recordAudio;
        again.logText = *s.logText;
        again.alwaysOnTop = *s.alwaysOnTop;
        again.state1 = *s.state1;
        again.state2 = *s.state2;
        again.layout = *s.layout;
        again.left = *s.left;
        again.top = *s.top;
        again.logFolder = *s.logFolder;
        QCOMPARE(writePgmSettings(again), bytes);
    }

    void pgmLayoutOutsideTheTableIsAnEmptyLine()
    {
        PgmValues v;
        v.layout = 0;
        QCOMPARE(writePgmSettings(v).split('\n').at(6), QByteArray("\r"));
    }

    void pgmQuotesInTheFolderAreLost()
    {
        PgmValues v;
        v.logFolder = QStringLiteral("/data/\"odd\" folder");
        const PgmSettings s = readPgmSettings(writePgmSettings(v), 56);
        QCOMPARE(s.logFolder.value(), QStringLiteral("/data/odd folder"));
    }

    void pgmOutOfRangeLinesAreIgnored()
    {
        const QByteArray file("7\r\n2\r\n1\r\n-1\r\n56\r\n-1\r\n\r\nabc\r\n300\r\n");
        const PgmSettings s = readPgmSettings(file, 56);
        QVERIFY(!s.tab);
        QVERIFY(!s.recordAudio);
        QCOMPARE(s.logText.value(), true);
        QVERIFY(!s.alwaysOnTop);
        QVERIFY(!s.state1);
        QCOMPARE(s.state2.value(), -1);
        QCOMPARE(s.layout.value(), 0);
        QCOMPARE(s.left.value(), 0.0);
        QCOMPARE(s.top.value(), 300.0);
        QVERIFY(!s.logFolder);
    }

    void hugeLineIsReadWithoutHarm()
    {
        QByteArray file("1\r\n0\r\n0\r\n0\r\n37\r\n37\r\n1\r\n0\r\n0\r\n");
        file += QByteArray(10 * 1024 * 1024, '9') + "\r\n";
        const PgmSettings s = readPgmSettings(file, 56);
        QCOMPARE(s.tab.value(), 1);
        QCOMPARE(s.logFolder->size(), 10 * 1024 * 1024);
        const ComSettings c = readComSettings(QByteArray(10 * 1024 * 1024, '7'));
        QVERIFY(!c.portIndex);
    }

    // window_size.txt: written and read back; a damaged file gives nothing.
    void windowSizeReading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("twips");
        QTest::addColumn<bool>("maximised");
        QTest::newRow("maximised")
            << QByteArray("16500\r\n11700\r\n1\r\n") << QSize(16500, 11700) << true;
        QTest::newRow("no third line")
            << QByteArray("16500\n11700") << QSize(16500, 11700) << false;
        QTest::newRow("one line") << QByteArray("16500\r\n") << QSize() << false;
        QTest::newRow("no width") << QByteArray("0\r\n11700\r\n") << QSize() << false;
        QTest::newRow("words") << QByteArray("wide\r\ntall\r\n") << QSize() << false;
    }
    void windowSizeReading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QSize, twips);
        QFETCH(bool, maximised);
        const auto size = readWindowSize(file);
        QCOMPARE(size.has_value(), twips.isValid());
        if (!size)
            return;
        QCOMPARE(*size, (SavedWindowSize{twips, maximised}));
        QCOMPARE(readWindowSize(writeWindowSize(*size)), size);
    }

    void writeReplacesTheFileWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("com_settings.txt"));
        QVERIFY(writeSettingsFile(path, "1\r\n"));
        QVERIFY(writeSettingsFile(path, writeComSettings(2, 1, 100)));
        QCOMPARE(readSettingsFile(path).value(), QByteArray("2\r\n1\r\n100\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("com_settings.txt")});
    }

    void tuningReading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("entry1");  // "-": not set
        QTest::addColumn<int>("modulation2"); // -2: not set
        QTest::addColumn<int>("squelch");
        QTest::addColumn<QString>("skipList");
        QTest::newRow("missing or empty") << QByteArray() << "-" << -2 << -2 << "-";
        QTest::newRow("short") << QByteArray("\"155.52\"\r\n1\r\n") << "155.52" << -2 << -2 << "-";
        QTest::newRow("odd content")
            << QByteArray("\"1620550xyz\"\r\nNFM\r\n\"\"\r\n4\r\n-1\r\n16\r\n"
                          "\"460.1%0A%zz \"\"x\"\r\n\"\"\r\nmore\r\n")
            << "-" << -2 << -2 << "460.1\n%zz x";
        QTest::newRow("bare LF, no last line end")
            << QByteArray("\"\"\n0\n\"\"\n3\n7\n15\n\"1234\"") << "" << 3 << 15 << "1234";
    }
    void tuningReading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, entry1);
        QFETCH(int, modulation2);
        QFETCH(int, squelch);
        QFETCH(QString, skipList);
        const TuningSettings s = readTuningSettings(file);
        QCOMPARE(s.entry1.value_or(QStringLiteral("-")), entry1);
        QCOMPARE(s.modulation2.value_or(-2), modulation2);
        QCOMPARE(s.squelch.value_or(-2), squelch);
        QCOMPARE(s.skipList.value_or(QStringLiteral("-")), skipList);
    }

    void tuningListsStayOnTheirLine()
    {
        TuningSettings s;
        s.skipList = QStringLiteral("460.1\r\n\"1234\" 50% \u00e9\r\n\n");
        s.quickScanList = QStringLiteral("155.52 nfm\n%0A\n");
        const QByteArray file = writeTuningSettings(s);
        // Eight lines, each ended by CR LF: no line break of the lists is left.
        QCOMPARE(file.count('\n'), 8);
        QCOMPARE(file.count("\r\n"), 8);
        const TuningSettings back = readTuningSettings(file);
        QCOMPARE(back.skipList, s.skipList);
        QCOMPARE(back.quickScanList, s.quickScanList);
    }

    void writeToAMissingFolderFailsAndSaysWhy()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!writeSettingsFile(dir.filePath(QStringLiteral("gone/pgm_settings.txt")), "1\r\n",
                                   &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!readSettingsFile(dir.filePath(QStringLiteral("gone/pgm_settings.txt"))));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
