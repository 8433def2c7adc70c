#include "log/gridcolumnfit.h"
#include "log/loggridmodel.h"
#include "log/widgets/loggridview.h"

#include <QDebug>
#include <QHeaderView>
#include <QImage>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>

namespace {

// The box round the pixels of a cell that differ from its background, and
// the colour of the one that differs most: where the text went and in what
// colour it was painted.
struct Ink
{
    QRect box;
    QColor strongest;
};

Ink inkIn(const QImage &image, const QRect &cell)
{
    const QRgb background = image.pixel(cell.left() + 1, cell.bottom() - 1);
    Ink ink;
    int most = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int difference = qAbs(qRed(pixel) - qRed(background)) +
                                   qAbs(qGreen(pixel) - qGreen(background)) +
                                   qAbs(qBlue(pixel) - qBlue(background));
            if (difference < 60)
                continue;
            ink.box |= QRect(x, y, 1, 1);
            if (difference > most) {
                most = difference;
                ink.strongest = QColor(pixel);
            }
        }
    }
    return ink;
}

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
    void fit_data();
    void fit();
    void everyCaptionShowsInTheWindowsTable();
    void topLeftCurrentAfterRebuild();
    void emptyTableHasNoCurrentCell();
    void cellsLookAsTheStylePaintsThem_data();
    void cellsLookAsTheStylePaintsThem();
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
    QTest::newRow("channel: 1900 twips rounded") << 2 << 127;
    QTest::newRow("frequency") << 3 << 80;
    QTest::newRow("talkgroup / tone") << 4 << 60;
    QTest::newRow("start") << 5 << 87;
    QTest::newRow("end") << 6 << 87;
    QTest::newRow("date") << 7 << 80;
}

void TestLogGridView::columnWidths()
{
    QFETCH(int, column);
    QFETCH(int, pixels);

    LogGridModel model;
    QTableView view;
    // Wide enough for every column as designed; a caption may widen one.
    view.resize(1200, 214);
    view.setModel(&model);
    setUpLogGridView(&view);
    QCOMPARE(view.columnWidth(column),
             std::max(pixels, view.horizontalHeader()->sectionSizeHint(column)));
}

void TestLogGridView::fit_data()
{
    QTest::addColumn<QList<int>>("least");
    QTest::addColumn<int>("available");
    QTest::addColumn<QList<int>>("widths");
    const QList<int> none{0, 0, 0, 0};
    QTest::newRow("room enough") << none << 100 << QList<int>{0, 50, 20, 30};
    QTest::newRow("a caption widens its column, the elastic one gives")
        << QList<int>{0, 10, 35, 10} << 100 << QList<int>{0, 35, 35, 30};
    QTest::newRow("the elastic column keeps its caption")
        << QList<int>{0, 45, 0, 0} << 60 << QList<int>{0, 45, 20, 30};
}

void TestLogGridView::fit()
{
    QFETCH(QList<int>, least);
    QFETCH(int, available);
    QFETCH(QList<int>, widths);
    QCOMPARE(fitColumnWidths({0, 50, 20, 30}, least, available, 1), widths);
}

void TestLogGridView::everyCaptionShowsInTheWindowsTable()
{
    LogGridModel model;
    model.SetUpLogGrid(true);
    QTableView view;
    view.resize(752, 214);
    view.setModel(&model);
    setUpLogGridView(&view);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    int total = 0;
    for (int column = 1; column < LogGridModel::GridColumns; ++column) {
        QVERIFY(view.columnWidth(column) >= view.horizontalHeader()->sectionSizeHint(column));
        total += view.columnWidth(column);
    }
    QVERIFY2(total <= view.viewport()->width(), qPrintable(QString::number(total)));
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

void TestLogGridView::cellsLookAsTheStylePaintsThem_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("blank");

    QTest::newRow("left") << 0 << 1 << 0 << false << false;
    QTest::newRow("right aligned") << 1 << 3 << 0 << false << false;
    QTest::newRow("shaded row") << 1 << 2 << 0 << false << false;
    QTest::newRow("selected") << 0 << 2 << 0 << true << false;
    QTest::newRow("elided") << 0 << 1 << 40 << false << false;
    QTest::newRow("grid of blank rows") << 0 << 1 << 0 << false << true;
    QTest::newRow("grid, a row selected") << 2 << 1 << 0 << true << true;
}

// The table keeps its cells' texts laid out and draws its grid itself; what
// it paints must be what the style and the table would paint: the text in
// the same place, elided the same, in the same colour; without text, the
// same pixels.
void TestLogGridView::cellsLookAsTheStylePaintsThem()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, width);
    QFETCH(bool, selected);
    QFETCH(bool, blank);

    LogGridModel model;
    QTableView view;
    view.resize(752, 214);
    view.setModel(&model);
    setUpLogGridView(&view);
    if (blank)
        model.SetUpLogGrid(true);
    else
        model.RebuildLogGrid(hitLine(12) + hitLine(3));
    if (width > 0)
        view.setColumnWidth(column, width);
    view.clearSelection();
    if (selected)
        view.selectRow(row);
    const QImage kept = view.viewport()->grab().toImage();
    view.setItemDelegate(new QStyledItemDelegate(&view));
    view.setShowGrid(true);
    const QImage styled = view.viewport()->grab().toImage();
    if (blank) {
        QCOMPARE(kept, styled);
        return;
    }
    const QRect cell = view.visualRect(model.index(row, column));
    const Ink ours = inkIn(kept, cell);
    const Ink theirs = inkIn(styled, cell);
    QString told;
    QDebug(&told) << ours.box << ours.strongest << theirs.box << theirs.strongest;
    QVERIFY2(!theirs.box.isEmpty(), "the style painted no text");
    const QMargins apart(ours.box.left() - theirs.box.left(), ours.box.top() - theirs.box.top(),
                         ours.box.right() - theirs.box.right(),
                         ours.box.bottom() - theirs.box.bottom());
    QVERIFY2(qMax(qMax(qAbs(apart.left()), qAbs(apart.top())),
                  qMax(qAbs(apart.right()), qAbs(apart.bottom()))) <= 1,
             qPrintable(told));
    const int colour = qAbs(ours.strongest.red() - theirs.strongest.red()) +
                       qAbs(ours.strongest.green() - theirs.strongest.green()) +
                       qAbs(ours.strongest.blue() - theirs.strongest.blue());
    QVERIFY2(colour < 90, qPrintable(told));
}

QTEST_MAIN(TestLogGridView)
#include "tst_loggridview.moc"
