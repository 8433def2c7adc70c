#include "link/clock.h"

#include "log/fixforlog.h"

#include <QRegularExpression>
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

    void timeZoneTokenRemoved_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("kept");
        QTest::newRow("after blanks") << "h:mm:ss AP  tttt"
                                      << "h:mm:ss AP";
        QTest::newRow("inside a word") << "HH:mm:sst 'at' tz"
                                       << "HH:mm:sst 'at' tz";
        QTest::newRow("after a narrow no-break space")
            << QStringLiteral("h:mm:ss\u202fAP\u202ft") << QStringLiteral("h:mm:ss\u202fAP\u202f");
    }
    void timeZoneTokenRemoved()
    {
        QFETCH(QString, format);
        QFETCH(QString, kept);
        QCOMPARE(withoutTimeZone(format), kept);
    }

    // Every format of up to five characters from these removes what the
    // expression "\s*\bt+\b" matches.
    void timeZoneTokenRemovedAsTheExpressionDoes()
    {
        const QString alphabet = QStringLiteral("t a:\t\u202f\u00e9");
        const QRegularExpression token(QStringLiteral("\\s*\\bt+\\b"));
        QStringList formats{QString()};
        for (int length = 1; length <= 5; ++length) {
            QStringList longer;
            for (const QString &format : std::as_const(formats)) {
                for (QChar c : alphabet)
                    longer.append(format + c);
            }
            for (const QString &format : std::as_const(longer))
                QCOMPARE(withoutTimeZone(format), QString(format).remove(token));
            formats = longer;
        }
    }

    // Instants read one after another, as the poll reads the clock, each
    // show the local time the system gives for it, into and out of summer
    // time.
    void localTimeFollowsTheZone()
    {
        const bool hadZone = qEnvironmentVariableIsSet("TZ");
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "America/New_York");
        tzset();
        LocalOffsetCache cache;
        for (const QDateTime &at : {QDateTime(QDate(2026, 3, 8), QTime(6, 59, 59, 900), Qt::UTC),
                                    QDateTime(QDate(2026, 3, 8), QTime(7, 0), Qt::UTC),
                                    QDateTime(QDate(2026, 11, 1), QTime(5, 59, 59, 999), Qt::UTC),
                                    QDateTime(QDate(2026, 11, 1), QTime(6, 0), Qt::UTC)}) {
            const QDateTime cached = localTimeAt(at.toMSecsSinceEpoch(), cache);
            QCOMPARE(cached.date(), at.toLocalTime().date());
            QCOMPARE(cached.time(), at.toLocalTime().time());
            QCOMPARE(cached, at);
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
