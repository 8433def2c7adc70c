#include "log/historycounts.h"
#include "log/historymodel.h"
#include "store/hitdatabase.h"
#include "store/runimport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString thisRun = QStringLiteral("12-07-2026_9-00-00-AM");

// The hit database of two earlier runs (their files, newest hit first) and
// this run: six hits in all, and a model on it.
struct Filled
{
    QTemporaryDir dir;
    HitDatabase db{HitDatabase::fileIn(dir.path())};
    HistoryModel model;
};

std::unique_ptr<Filled> filledModel()
{
    auto filled = std::make_unique<Filled>();
    const char *runs[][2] = {
        {"12-06-2026_3-00-00-PM",
         "Metro / Police\tTac 2\t 851.5625\t1234\t3:46:01 PM\t3:46:31 PM\t12-06-2026\r\n"
         "County / Fire\tDispatch\t 154.2500\tC67.0\t3:45:12 PM\t3:45:20 PM\t12-06-2026\r\n"},
        {"12-01-2026_8-00-00-AM",
         "County / Fire\tDispatch\t 154.2500\tC67.0\t8:10:00 AM\t8:11:00 AM\t12-01-2026\r\n"
         "Metro / Police\tTac 2\t 851.5625\t1234\tbroken\t8:30:00 AM\t12-01-2026\r\n"}};
    for (const auto &[name, text] : runs) {
        QFile file(QDir(filled->dir.path()).filePath(QLatin1String(name) + QStringLiteral(".txt")));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
    filled->db.importFolders({filled->dir.path()}, thisRun);
    const QDate today(2026, 12, 7);
    filled->db.addHit(hitOfLogLine(thisRun, 1,
                                   QStringLiteral("Metro / Fire Ground\tFG 1\t 853.1000\t2001\t"
                                                  "9:05:00 AM\t9:05:04 AM\t12-07-2026\r\n"),
                                   QStringLiteral("Metro"), QStringLiteral("Fire Ground"), true,
                                   localToUtc(today, 9 * 3600 + 5 * 60 + 4)));
    filled->db.addHit(hitOfLogLine(thisRun, 2,
                                   QStringLiteral("County / Fire\tTac\t 154.3100\tD023\t"
                                                  "9:10:00 AM\t9:10:10 AM\t12-07-2026\r\n"),
                                   QStringLiteral("County"), QStringLiteral("Fire"), false,
                                   localToUtc(today, 9 * 3600 + 10 * 60 + 10)));
    if (!QTest::qWaitFor([&filled] { return !filled->db.isImporting(); }))
        qWarning("the import of the run files did not end");
    filled->db.waitUntilIdle();
    filled->model.setSource(&filled->db, thisRun);
    return filled;
}

// A source that only notes what it is asked.
class AskedSource : public HistorySource
{
public:
    QList<quint64> views, pages, counts, forgotten;
    void requestView(quint64 ticket, const HistoryFilter &, const QString &, int) override
    {
        views.append(ticket);
    }
    void requestRows(quint64 ticket, const HistoryFilter &, const QString &, qint64, int) override
    {
        pages.append(ticket);
    }
    void requestCounts(quint64, const HistoryFilter &, const QString &, CountBy) override {}
    void requestCount(quint64 ticket, const HistoryFilter &, const QString &) override
    {
        counts.append(ticket);
    }
    void forget(quint64 ticket) override { forgotten.append(ticket); }
    void requestExport(const HistoryFilter &, const QString &, const QString &) override {}
    bool isImporting() const override { return false; }
};

QStringList channels(const HistoryModel &model)
{
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown.append(model.cellText(row, HistoryModel::Channel));
    return shown;
}

} // namespace

class TestHistoryFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newestFirstWithLiveOnTop();
    void filter_data();
    void filter();
    void typingOnMatchesFreshFilter();
    void counts_data();
    void counts();
    void keepsOnlyThePagesAroundTheRowShown();
    void forgetsWhatAnOlderFindAsked();
};

void TestHistoryFilter::newestFirstWithLiveOnTop()
{
    const auto filled = filledModel();
    HistoryModel *model = &filled->model;
    QTRY_COMPARE(model->rowCount(), 6);
    QCOMPARE(model->cellText(0, HistoryModel::Channel), QStringLiteral("Tac"));
    QCOMPARE(model->cellText(1, HistoryModel::Channel), QStringLiteral("FG 1"));
    QCOMPARE(model->cellText(2, HistoryModel::Run), QStringLiteral("12-06-2026_3-00-00-PM"));
    QCOMPARE(model->cellText(5, HistoryModel::Start), QStringLiteral("broken"));
    QCOMPARE(model->totalCount(), 6);
}

void TestHistoryFilter::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<bool>("thisRunOnly");
    QTest::addColumn<QStringList>("channels");

    const QDate open;
    QTest::newRow("everything") << "" << open << open << false
                                << QStringList{"Tac",      "FG 1",     "Tac 2",
                                               "Dispatch", "Dispatch", "Tac 2"};
    QTest::newRow("any case") << "METRO" << open << open << false
                              << QStringList{"FG 1", "Tac 2", "Tac 2"};
    QTest::newRow("words anded across columns")
        << "fire  c67" << open << open << false << QStringList{"Dispatch", "Dispatch"};
    QTest::newRow("word of the run name")
        << "8-00-00-am" << open << open << false << QStringList{"Dispatch", "Tac 2"};
    QTest::newRow("no such word") << "fire nowhere" << open << open << false << QStringList{};
    QTest::newRow("from date") << "" << QDate(2026, 12, 6) << open << false
                               << QStringList{"Tac", "FG 1", "Tac 2", "Dispatch"};
    QTest::newRow("one day") << "" << QDate(2026, 12, 1) << QDate(2026, 12, 1) << false
                             << QStringList{"Dispatch", "Tac 2"};
    QTest::newRow("this run only") << "fire" << open << open << true << QStringList{"Tac", "FG 1"};
}

void TestHistoryFilter::filter()
{
    QFETCH(QString, text);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(bool, thisRunOnly);
    QFETCH(QStringList, channels);
    const auto filled = filledModel();
    filled->model.setFilter({text, from, to, thisRunOnly});
    QTRY_VERIFY(!filled->model.isWaiting());
    QCOMPARE(::channels(filled->model), channels);
}

void TestHistoryFilter::typingOnMatchesFreshFilter()
{
    // Each keystroke narrows what the previous one showed; erasing and
    // retyping must end where a fresh filter does.
    const auto typedHistory = filledModel();
    HistoryModel *typed = &typedHistory->model;
    const QString text = QStringLiteral("metro tac 2");
    for (qsizetype n = 1; n <= text.size(); ++n)
        typed->setFilter({text.left(n), {}, {}, false});
    typed->setFilter({QStringLiteral("metro ta"), {}, {}, false});
    typed->setFilter({QStringLiteral("metro tac 2"), {}, {}, false});
    // "This run only" ticked and cleared again: the earlier runs come back.
    typed->setFilter({text, {}, {}, true});
    QTRY_VERIFY(!typed->isWaiting());
    QCOMPARE(typed->rowCount(), 0);
    typed->setFilter({text, {}, {}, false});
    const auto freshHistory = filledModel();
    HistoryModel *fresh = &freshHistory->model;
    fresh->setFilter({text, {}, {}, false});
    QTRY_VERIFY(!typed->isWaiting() && !fresh->isWaiting());
    QCOMPARE(channels(*typed), channels(*fresh));
    QCOMPARE(fresh->rowCount(), 2);
}

void TestHistoryFilter::counts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("byTalkgroup");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("per channel") << "" << false
                                 << QStringList{"Dispatch  (County / Fire) 2 68",
                                                "Tac 2  (Metro / Police) 2 30",
                                                "Tac  (County / Fire) 1 10",
                                                "FG 1  (Metro / Fire Ground) 1 4"};
    QTest::newRow("per talkgroup or tone")
        << "" << true
        << QStringList{"C67.0  (County / Fire) 2 68", "1234  (Metro / Police) 2 30",
                       "D023  (County / Fire) 1 10", "2001  (Metro / Fire Ground) 1 4"};
    QTest::newRow("only what the filter shows")
        << "police" << false << QStringList{"Tac 2  (Metro / Police) 2 30"};
}

void TestHistoryFilter::counts()
{
    QFETCH(QString, text);
    QFETCH(bool, byTalkgroup);
    QFETCH(QStringList, expected);
    const auto filled = filledModel();
    QSignalSpy ready(&filled->db, &HistorySource::countsReady);
    const quint64 ticket = HistorySource::nextTicket();
    filled->db.requestCounts(ticket, {text, {}, {}, false}, thisRun,
                             byTalkgroup ? CountBy::Talkgroup : CountBy::Channel);
    QTRY_COMPARE(ready.size(), 1);
    QCOMPARE(ready.at(0).at(0).toULongLong(), ticket);
    QStringList got;
    const auto counts = ready.at(0).at(1).value<QList<HistoryCount>>();
    for (const HistoryCount &count : counts)
        got.append(
            QStringLiteral("%1 %2 %3").arg(count.name).arg(count.hits).arg(count.airSeconds));
    QCOMPARE(got, expected);
}

void TestHistoryFilter::keepsOnlyThePagesAroundTheRowShown()
{
    const auto filled = filledModel();
    const int hits = HistoryModel::pageRows * 5;
    for (int line = 3; line < hits; ++line)
        filled->db.addHit(hitOfLogLine(thisRun, line,
                                       QStringLiteral("A / B\tUnit %1\t 1.0000\t\t9:00:00 AM\t"
                                                      "9:00:01 AM\t12-07-2026")
                                           .arg(line),
                                       QStringLiteral("A"), QStringLiteral("B"), false,
                                       1800000000 + line));
    QTRY_COMPARE(filled->model.rowCount(), hits + 3);
    // Row 1 is the second newest hit; reaching far down fetches that page.
    const int far = HistoryModel::pageRows * 4 + 1;
    QTRY_COMPARE(filled->model.cellText(far, HistoryModel::Channel),
                 QStringLiteral("Unit %1").arg(hits - 1 - far));
    QVERIFY(filled->model.pagesKept() <= 3);
    QTRY_COMPARE(filled->model.cellText(1, HistoryModel::Channel),
                 QStringLiteral("Unit %1").arg(hits - 2));
    QVERIFY(filled->model.pagesKept() <= 3);
}

void TestHistoryFilter::forgetsWhatAnOlderFindAsked()
{
    AskedSource source;
    HistoryModel model;
    model.setSource(&source, thisRun);
    model.setFilter({QStringLiteral("d"), {}, {}, false});
    QCOMPARE(source.forgotten, QList<quint64>{source.views.first()});
    // The newest hits counted so far: the rest are counted on.
    HistoryView partial;
    partial.shown = 3;
    partial.counting = true;
    HistoryRow row;
    row.texts = {QStringLiteral("A / B"), QStringLiteral("Unit")};
    partial.rows = {row};
    Q_EMIT source.viewReady(source.views.last(), partial);
    QCOMPARE(model.rowCount(), 3);
    QVERIFY(model.isCounting());
    QCOMPARE(source.counts.size(), 1);
    Q_EMIT source.countReady(source.counts.first(), HistoryModel::pageRows * 2);
    QCOMPARE(model.rowCount(), HistoryModel::pageRows * 2);
    QVERIFY(!model.isCounting());
    QCOMPARE(model.cellText(HistoryModel::pageRows + 1, HistoryModel::Channel), QString());
    QCOMPARE(source.pages.size(), 1);
    // Typing on: the page and the count not answered are not wanted.
    Q_EMIT source.hitsChanged();
    Q_EMIT source.viewReady(source.views.last(), partial);
    QCOMPARE(source.counts.size(), 2);
    model.setFilter({QStringLiteral("di"), {}, {}, false});
    QVERIFY(source.forgotten.contains(source.pages.first()));
    QVERIFY(source.forgotten.contains(source.counts.last()));
}

QTEST_GUILESS_MAIN(TestHistoryFilter)
#include "tst_historyfilter.moc"
