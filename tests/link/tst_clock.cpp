#include "link/clock.h"

#include "log/fixforlog.h"

#include <QTest>

#include <ctime>

class TestClock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timeOfDay_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("inFileName");
        QTest::newRow("United States, afternoon") << "en_US" << QTime(15, 45, 12) << "3:45:12 PM"
                                                  << "3-45-12-PM";
        QTest::newRow("United States, morning") << "en_US" << QTime(9, 5, 7) << "9:05:07 AM"
                                                << "9-05-07-AM";
        QTest::newRow("Germany") << "de_DE" << QTime(15, 45, 12) << "15:45:12"
                                 << "15-45-12";
        QTest::newRow("Germany, morning") << "de_DE" << QTime(9, 5, 7) << "09:05:07"
                                          << "09-05-07";
        QTest::newRow("C locale") << "C" << QTime(15, 45, 12) << "15:45:12"
                                  << "15-45-12";
    }
    void timeOfDay()
    {
        QFETCH(QString, locale);
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QFETCH(QString, inFileName);
        const QLocale l(locale);
        QCOMPARE(timeOfDayText(time, l), text);
        QCOMPARE(timeOfDayText(time, l, timeOfDayFormat(l)), text);
        QString name = timeOfDayText(time, l);
        QCOMPARE(FixForLog(name), inFileName);
    }

    // Instants read one after another, as the poll reads the clock: each
    // shows the local date and time the system gives for it, across a
    // change to and from summer time.
    void localTimeFollowsTheZone_data()
    {
        QTest::addColumn<QList<qint64>>("instants");
        const auto at = [](int y, int mo, int d, int h, int mi, int s, int ms = 0) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC).toMSecsSinceEpoch();
        };
        QTest::newRow("into summer time")
            << QList<qint64>{at(2026, 3, 8, 6, 59, 59, 900), at(2026, 3, 8, 7, 0, 0, 0),
                             at(2026, 3, 8, 7, 0, 0, 100)};
        QTest::newRow("out of it")
            << QList<qint64>{at(2026, 11, 1, 5, 59, 59, 999), at(2026, 11, 1, 6, 0, 0, 1)};
    }
    void localTimeFollowsTheZone()
    {
        QFETCH(QList<qint64>, instants);
        const bool hadZone = qEnvironmentVariableIsSet("TZ");
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "America/New_York");
        tzset();
        LocalOffsetCache cache;
        for (const qint64 instant : instants) {
            const QDateTime local = QDateTime::fromMSecsSinceEpoch(instant);
            const QDateTime cached = localTimeAt(instant, cache);
            QCOMPARE(cached.date(), local.date());
            QCOMPARE(cached.time(), local.time());
            QCOMPARE(cached.toMSecsSinceEpoch(), instant);
        }
        if (hadZone)
            qputenv("TZ", zone);
        else
            qunsetenv("TZ");
        tzset();
    }

    void dateOfTheRun() { QCOMPARE(dateText(QDate(2026, 12, 6)), QStringLiteral("12-06-2026")); }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
