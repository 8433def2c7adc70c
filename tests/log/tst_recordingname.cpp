#include "log/recordingname.h"

#include <QTest>

class TestRecordingName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesTheHit_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trunked") << QStringList{"County P25", "Police", "Dispatch",   " 851.5625",
                                                "",           "1234",   "3:45:12 PM", "3:45:20 PM"}
                                 << QStringLiteral("County-P25_Police_Dispatch_-851.5625__1234_3-"
                                                   "45-12-PM_3-45-20-PM_12-06-2026.wav");
        QTest::newRow("conventional")
            << QStringList{"Marion", "Fire/EMS", "Tac: 2",   " 154.0700",
                           "C74.4",  "",         "15:45:12", "15:45:14"}
            << QStringLiteral(
                   "Marion_Fire-EMS_Tac--2_-154.0700_C74.4__15-45-12_15-45-14_12-06-2026.wav");
        QTest::newRow("unsafe names") << QStringList{"a\\b", "c*d", "e?f", "\"g\"", "", "", "", ""}
                                      << QStringLiteral("a-b_c-d_e-f_-g-_____12-06-2026.wav");
    }

    void namesTheHit()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, expected);
        FinishedHit hit{values.at(0), values.at(1), values.at(2), values.at(3),
                        values.at(4), values.at(5), values.at(6), values.at(7)};
        QCOMPARE(recordingFileName(hit, QStringLiteral("12-06-2026")), expected);
    }
};

QTEST_MAIN(TestRecordingName)
#include "tst_recordingname.moc"
