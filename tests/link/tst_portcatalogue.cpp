#include "link/portcatalogue.h"

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
        const QStringList devices = comPortDevices({}, system);
        QCOMPARE(devices.size(), 10);
        QCOMPARE(devices.last(), QStringLiteral("/dev/ttyS9"));
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
