#include "log/loggridmodel.h"
#include "log/widgets/loggridview.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

namespace {

QString hitLine(int i)
{
    return QStringLiteral("System%1 / Group\tChannel %1\t 154.2500\tC67.0\t3:45:12 PM\t"
                          "3:45:20 PM\t12-06-2026\r\n")
        .arg(i);
}

} // namespace

class TestLogGridView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout();
    void columnWidths_data();
    void columnWidths();
    void topLeftCurrentAfterRebuild();
    void emptyTableHasNoCurrentCell();
};

void TestLogGridView::layout()
{
    LogGridModel model;
    model.SetUpLogGrid(true);
    QTableView view;
    view.setModel(&model);
    setUpLogGridView(&view);

    QVERIFY(view.isColumnHidden(0));
    for (int column = 1; column < 8; ++column)
        QVERIFY(!view.isColumnHidden(column));
    QVERIFY(view.verticalHeader()->isHidden());
    QVERIFY(!view.horizontalHeader()->isHidden());
    QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view.editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(view.horizontalHeader()->sectionResizeMode(1), QHeaderView::Fixed);
    QCOMPARE(view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(view.currentIndex(), model.index(0, 1));
}

void TestLogGridView::columnWidths_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("pixels");

    QTest::newRow("system / group") << 1 << 253;
    QTest::newRow("channel") << 2 << 126;
    QTest::newRow("frequency") << 3 << 80;
    QTest::newRow("talkgroup / tone") << 4 << 60;
    QTest::newRow("start") << 5 << 86;
    QTest::newRow("end") << 6 << 86;
    QTest::newRow("date") << 7 << 80;
}

void TestLogGridView::columnWidths()
{
    QFETCH(int, column);
    QFETCH(int, pixels);

    LogGridModel model;
    QTableView view;
    view.setModel(&model);
    setUpLogGridView(&view);
    QCOMPARE(view.columnWidth(column), pixels);
}

void TestLogGridView::topLeftCurrentAfterRebuild()
{
    LogGridModel model;
    QTableView view;
    view.setModel(&model);
    setUpLogGridView(&view);

    model.RebuildLogGrid(hitLine(1) + hitLine(0));
    view.setCurrentIndex(model.index(1, 3));
    model.RebuildLogGrid(hitLine(2) + hitLine(1) + hitLine(0));
    QCOMPARE(view.currentIndex(), model.index(0, 1));
    QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("System2 / Group"));

    model.SetUpLogGrid(true);
    QCOMPARE(view.currentIndex(), model.index(0, 1));
}

void TestLogGridView::emptyTableHasNoCurrentCell()
{
    LogGridModel model;
    QTableView view;
    view.setModel(&model);
    setUpLogGridView(&view);
    model.SetUpLogGrid(false);
    QVERIFY(!view.currentIndex().isValid());
    ShadeLogGrid(&view);
    QVERIFY(!view.currentIndex().isValid());
}

QTEST_MAIN(TestLogGridView)
#include "tst_loggridview.moc"
