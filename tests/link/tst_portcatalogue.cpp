#include "link/portcatalogue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPortCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void devices_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QStringList>("firstThree");
        QTest::newRow("usb first, natural order")
            << QStringList{}
            << QStringList{"/dev/ttyS10", "/dev/ttyS2", "/dev/ttyUSB1", "/dev/ttyACM0",
                           "/dev/ttyUSB0"}
            << QStringList{"/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyUSB1"};
        QTest::newRow("given before system")
            << QStringList{"/dev/pts/7"} << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"}
            << QStringList{"/dev/pts/7", "/dev/ttyUSB0", "/dev/ttyS0"};
        QTest::newRow("a given device is not listed twice")
            << QStringList{"/dev/ttyUSB0"} << QStringList{"/dev/ttyUSB0", "/dev/ttyS0"}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyS0", QString()};
        QTest::newRow("nothing") << QStringList{} << QStringList{}
                                 << QStringList{QString(), QString(), QString()};
    }
    void devices()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, system);
        QFETCH(QStringList, firstThree);
        const QStringList devices = comPortDevices(given, system);
        QCOMPARE(devices.size(), 10);
        QCOMPARE(devices.mid(0, 3), firstThree);
    }

    void moreThanTenAreCut()
    {
        QStringList system;
        for (int i = 0; i < 14; ++i)
            system << QStringLiteral("/dev/ttyS%1").arg(i);
        QStringList leftOut;
        const QStringList devices = comPortDevices({}, system, 10, &leftOut);
        QCOMPARE(devices.size(), 10);
        QCOMPARE(devices.last(), QStringLiteral("/dev/ttyS9"));
        QCOMPARE(leftOut,
                 (QStringList{"/dev/ttyS10", "/dev/ttyS11", "/dev/ttyS12", "/dev/ttyS13"}));
    }

    // A device keeps its by-id link as its name; the link finds it again at
    // whatever position it comes back.
    void stableNames()
    {
        QTemporaryDir byId;
        QVERIFY(
            QFile::link(QStringLiteral("/dev/null"), byId.filePath(QStringLiteral("usb-Radio"))));
        const QString link = byId.filePath(QStringLiteral("usb-Radio"));
        QCOMPARE(stableDeviceName(QStringLiteral("/dev/null"), byId.path()), link);
        QCOMPARE(stableDeviceName(QStringLiteral("/dev/zero"), byId.path()),
                 QStringLiteral("/dev/zero"));
        QCOMPARE(stableDeviceName(QStringLiteral("./radio"), byId.path()),
                 QStringLiteral("./radio"));
        QCOMPARE(stableDeviceName(QStringLiteral("/dev/pts/3"), byId.path()), QString());

        const QStringList devices{QStringLiteral("/dev/zero"), QString(),
                                  QStringLiteral("/dev/null")};
        QCOMPARE(deviceIndex(devices, link), 2);
        QCOMPARE(deviceIndex(devices, QStringLiteral("/dev/zero")), 0);
        QCOMPARE(deviceIndex(devices.mid(0, 2), link), -1);
        QFile::remove(link);
        QCOMPARE(deviceIndex(devices, link), -1);
    }

    void itemText_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("text");
        QTest::newRow("usb") << 1 << "/dev/ttyUSB0"
                             << "1  ttyUSB0";
        QTest::newRow("pty") << 3 << "/dev/pts/4"
                             << "3  pts/4";
        QTest::newRow("elsewhere") << 2 << "/tmp/radio"
                                   << "2  /tmp/radio";
        QTest::newRow("none") << 10 << ""
                              << "10";
    }
    void itemText()
    {
        QFETCH(int, number);
        QFETCH(QString, device);
        QFETCH(QString, text);
        QCOMPARE(comPortItemText(number, device), text);
        QCOMPARE(leadingPortNumber(text), number);
    }
};

QTEST_GUILESS_MAIN(TestPortCatalogue)
#include "tst_portcatalogue.moc"
