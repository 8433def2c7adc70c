#include "log/hitlogtext.h"
#include "log/loggridmodel.h"

#include <QBrush>
#include <QSignalSpy>
#include <QTest>

namespace {

QString hitLine(int i)
{
    return QStringLiteral("System%1 / Group\tChannel %1\t 154.2500\tC67.0\t3:45:12 PM\t"
                          "3:45:20 PM\t12-06-2026\r\n")
        .arg(i);
}

// A log of count hits, inserted in order, so hit count-1 is the newest.
QString logOf(int count)
{
    HitLogText log;
    for (int i = 0; i < count; ++i)
        log.insertHitLine(hitLine(i));
    return log.text();
}

QList<int> numbers(const LogGridModel &model)
{
    QList<int> result;
    for (int row = 0; row < model.rowCount(); ++row)
        result.append(model.rowNumber(row));
    return result;
}

QList<int> range(int from, int to)
{
    QList<int> result;
    for (int n = from; n <= to; ++n)
        result.append(n);
    return result;
}

} // namespace

class TestLogGridModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setUp_data();
    void setUp();
    void emptyLogGivesBlankRows();
    void oneHit();
    void rowCounts_data();
    void rowCounts();
    void longLogShowsNewest1501();
    void strayLineKeepsItsNumber();
    void textWithoutFinalLineEnd();
    void shortAndLongPieces();
    void shadingAlternatesFromWhite();
    void alignment_data();
    void alignment();
    void notEditable();
    void captions();
    void columnWidths_data();
    void columnWidths();
    void rebuildResetsModel();
};

void TestLogGridModel::setUp_data()
{
    QTest::addColumn<bool>("blankFill");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("blank fill") << true << range(0, 20);
    QTest::newRow("no fill") << false << QList<int>();
}

void TestLogGridModel::setUp()
{
    QFETCH(bool, blankFill);
    QFETCH(QList<int>, expected);

    LogGridModel model;
    model.RebuildLogGrid(logOf(30));
    model.SetUpLogGrid(blankFill);
    QCOMPARE(model.columnCount(), 8);
    QCOMPARE(numbers(model), expected);
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 1; column < 8; ++column)
            QCOMPARE(model.index(row, column).data().toString(), QString());
    }
}

void TestLogGridModel::emptyLogGivesBlankRows()
{
    LogGridModel model;
    model.RebuildLogGrid(QString());
    QCOMPARE(numbers(model), range(0, 20));
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("0"));
    QCOMPARE(model.index(20, 0).data().toString(), QStringLiteral("20"));
    QCOMPARE(model.index(5, 1).data().toString(), QString());
}

void TestLogGridModel::oneHit()
{
    LogGridModel model;
    model.RebuildLogGrid(hitLine(7));
    QCOMPARE(model.rowCount(), 20);
    QList<int> expected{0};
    expected.append(range(2, 20));
    QCOMPARE(numbers(model), expected);

    const QStringList cells{QStringLiteral("0"),          QStringLiteral("System7 / Group"),
                            QStringLiteral("Channel 7"),  QStringLiteral(" 154.2500"),
                            QStringLiteral("C67.0"),      QStringLiteral("3:45:12 PM"),
                            QStringLiteral("3:45:20 PM"), QStringLiteral("12-06-2026")};
    for (int column = 0; column < 8; ++column)
        QCOMPARE(model.index(0, column).data().toString(), cells.at(column));
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("2"));
    QCOMPARE(model.index(1, 1).data().toString(), QString());
}

void TestLogGridModel::rowCounts_data()
{
    QTest::addColumn<int>("hits");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("lastNumber");

    QTest::newRow("2 hits") << 2 << 20 << 20;
    QTest::newRow("19 hits") << 19 << 20 << 20;
    QTest::newRow("20 hits: no blank rows left") << 20 << 20 << 19;
    QTest::newRow("21 hits") << 21 << 21 << 20;
    QTest::newRow("100 hits") << 100 << 100 << 99;
    QTest::newRow("1500 hits") << 1500 << 1500 << 1499;
    QTest::newRow("1501 hits") << 1501 << 1501 << 1500;
    QTest::newRow("1502 hits") << 1502 << 1501 << 1500;
}

void TestLogGridModel::rowCounts()
{
    QFETCH(int, hits);
    QFETCH(int, rows);
    QFETCH(int, lastNumber);

    LogGridModel model;
    model.RebuildLogGrid(logOf(hits));
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(model.rowNumber(rows - 1), lastNumber);
    const int hitRows = qMin(hits, 1501);
    for (int row = 0; row < hitRows; ++row)
        QCOMPARE(model.rowNumber(row), row);
}

void TestLogGridModel::longLogShowsNewest1501()
{
    LogGridModel model;
    model.RebuildLogGrid(logOf(1600));
    QCOMPARE(model.rowCount(), 1501);
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("Channel 1599"));
    QCOMPARE(model.index(1500, 0).data().toString(), QStringLiteral("1500"));
    QCOMPARE(model.index(1500, 2).data().toString(), QStringLiteral("Channel 99"));
    for (int row = 0; row < model.rowCount(); ++row)
        QVERIFY(!model.cellText(row, 1).isEmpty());
}

void TestLogGridModel::strayLineKeepsItsNumber()
{
    const QString text = hitLine(2) + QStringLiteral("a stray line\r\n") + hitLine(1);
    LogGridModel model;
    model.RebuildLogGrid(text);
    QList<int> expected{0, 2};
    expected.append(range(4, 20));
    QCOMPARE(numbers(model), expected);
    QCOMPARE(model.index(1, 2).data().toString(), QStringLiteral("Channel 1"));
    for (int row = 0; row < model.rowCount(); ++row)
        QVERIFY(!model.cellText(row, 1).contains(QStringLiteral("stray")));
}

void TestLogGridModel::textWithoutFinalLineEnd()
{
    LogGridModel model;
    model.RebuildLogGrid(QStringLiteral("A / a\tone"));
    QCOMPARE(model.rowCount(), 21);
    QCOMPARE(numbers(model), range(0, 20));
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("A / a"));
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("one"));
}

void TestLogGridModel::shortAndLongPieces()
{
    const QString text = QStringLiteral("A / a\tone\t 154.2500\r\n"
                                        "B / b\t2\t3\t4\t5\t6\t7\t8\t9\r\n"
                                        "C / c\t\t\tx\r\n");
    LogGridModel model;
    model.RebuildLogGrid(text);
    QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral(" 154.2500"));
    for (int column = 4; column < 8; ++column)
        QCOMPARE(model.index(0, column).data().toString(), QString());
    QCOMPARE(model.index(1, 7).data().toString(), QStringLiteral("7"));
    QCOMPARE(model.columnCount(), 8);
    QCOMPARE(model.index(2, 2).data().toString(), QString());
    QCOMPARE(model.index(2, 4).data().toString(), QStringLiteral("x"));
}

void TestLogGridModel::shadingAlternatesFromWhite()
{
    LogGridModel model;
    model.RebuildLogGrid(logOf(5));
    QCOMPARE(model.rowCount(), 20);
    for (int row = 0; row < model.rowCount(); ++row) {
        const QColor expected = row % 2 == 0 ? QColor(255, 255, 255) : QColor(250, 250, 250);
        for (int column = 1; column < 8; ++column) {
            const QBrush brush = model.index(row, column).data(Qt::BackgroundRole).value<QBrush>();
            QCOMPARE(brush.color(), expected);
        }
        QVERIFY(!model.index(row, 0).data(Qt::BackgroundRole).isValid());
    }
}

void TestLogGridModel::alignment_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("expected");

    const int left = int(Qt::AlignLeft | Qt::AlignTop);
    const int right = int(Qt::AlignRight | Qt::AlignTop);
    QTest::newRow("system / group") << 1 << left;
    QTest::newRow("channel") << 2 << left;
    QTest::newRow("frequency") << 3 << right;
    QTest::newRow("talkgroup / tone") << 4 << right;
    QTest::newRow("start") << 5 << left;
    QTest::newRow("end") << 6 << left;
    QTest::newRow("date") << 7 << left;
}

void TestLogGridModel::alignment()
{
    QFETCH(int, column);
    QFETCH(int, expected);

    LogGridModel model;
    model.RebuildLogGrid(logOf(1));
    QCOMPARE(model.index(0, column).data(Qt::TextAlignmentRole).toInt(), expected);
    QCOMPARE(model.index(3, column).data(Qt::TextAlignmentRole).toInt(), expected);
    QVERIFY(!model.index(0, 0).data(Qt::TextAlignmentRole).isValid());
}

void TestLogGridModel::notEditable()
{
    LogGridModel model;
    model.RebuildLogGrid(logOf(1));
    const Qt::ItemFlags flags = model.flags(model.index(0, 1));
    QVERIFY(flags.testFlag(Qt::ItemIsSelectable));
    QVERIFY(flags.testFlag(Qt::ItemIsEnabled));
    QVERIFY(!flags.testFlag(Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("x")));
}

void TestLogGridModel::captions()
{
    const LogGridModel model;
    const QStringList expected{QString(),
                               QStringLiteral("System / Group"),
                               QStringLiteral("Channel"),
                               QStringLiteral("Frequency"),
                               QStringLiteral("TGID / Tone"),
                               QStringLiteral("Start"),
                               QStringLiteral("End"),
                               QStringLiteral("Date")};
    for (int column = 0; column < 8; ++column)
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), expected.at(column));
}

void TestLogGridModel::columnWidths_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("twips");

    const QList<int> widths{0, 3800, 1900, 1200, 900, 1300, 1300, 1200};
    for (int column = 0; column < widths.size(); ++column)
        QTest::addRow("column %d", column) << column << widths.at(column);
    QTest::newRow("out of range") << 8 << 0;
}

void TestLogGridModel::columnWidths()
{
    QFETCH(int, column);
    QFETCH(int, twips);
    QCOMPARE(LogGridModel::columnWidthTwips(column), twips);
}

void TestLogGridModel::rebuildResetsModel()
{
    LogGridModel model;
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.RebuildLogGrid(logOf(3));
    model.SetUpLogGrid(true);
    QCOMPARE(resets.count(), 2);
}

QTEST_GUILESS_MAIN(TestLogGridModel)
#include "tst_loggridmodel.moc"
