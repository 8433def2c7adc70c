// The layout table on its own: stored numbers, names outside the table, and
// one step at a time from each end.
#include "window/layouttable.h"

#include <QTest>

class TestLayoutTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedNumbers_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("stored");
        const QStringList names = layoutNames();
        for (int i = 0; i < names.size(); ++i)
            QTest::newRow(qPrintable(names.at(i))) << names.at(i) << i + 1;
        // A name outside the table is stored as an empty line.
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("other") << QStringLiteral("Full") << 0;
    }
    void storedNumbers()
    {
        QFETCH(QString, mode);
        QFETCH(int, stored);
        QCOMPARE(storedLayoutNumber(mode), stored);
    }

    void eachStepIsOneTransition_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<QString>("target");
        QTest::newRow("full, larger") << "full" << false << QString();
        QTest::newRow("strip, smaller") << "display_floating_taskbar" << true << QString();
        QTest::newRow("unknown") << "Full" << true << QString();
        QTest::newRow("full, smaller") << "full" << true << "maxi";
        QTest::newRow("strip, larger")
            << "display_floating_taskbar" << false << "display_only_no_windows_junk";
    }
    void eachStepIsOneTransition()
    {
        QFETCH(QString, mode);
        QFETCH(bool, smaller);
        QFETCH(QString, target);
        const auto transition =
            layoutTransition(mode, smaller ? LayoutStep::Smaller : LayoutStep::Larger);
        QCOMPARE(transition ? transition->to : QString(), target);
    }
};

QTEST_GUILESS_MAIN(TestLayoutTable)
#include "tst_layouttable.moc"
