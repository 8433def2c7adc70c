#include "log/historycounts.h"
#include "log/historymodel.h"

#include <QTest>

namespace {

// Two earlier runs and this run: six hits in all.
HistoryModel *filledModel(QObject *parent)
{
    auto *model = new HistoryModel(parent);
    model->setThisRun(QStringLiteral("12-07-2026_9-00-00-AM"));
    HistoryLoad load;
    load.runs = {{QStringLiteral("12-06-2026_3-00-00-PM"), QString(), QDate(2026, 12, 6), 0},
                 {QStringLiteral("12-01-2026_8-00-00-AM"), QString(), QDate(2026, 12, 1), 0}};
    const char *lines[][2] = {
        {"Metro / Police\tTac 2\t 851.5625\t1234\t3:46:01 PM\t3:46:31 PM\t12-06-2026", "0"},
        {"County / Fire\tDispatch\t 154.2500\tC67.0\t3:45:12 PM\t3:45:20 PM\t12-06-2026", "0"},
        {"County / Fire\tDispatch\t 154.2500\tC67.0\t8:10:00 AM\t8:11:00 AM\t12-01-2026", "1"},
        {"Metro / Police\tTac 2\t 851.5625\t1234\tbroken\t8:30:00 AM\t12-01-2026", "1"}};
    for (const auto &[line, run] : lines) {
        HistoryHit hit;
        const int index = QByteArray(run).toInt();
        parseHitLine(QString::fromLatin1(line), load.runs[index].name, &hit);
        hit.run = index;
        load.hits.append(hit);
    }
    model->addLiveHit(QStringLiteral(
        "Metro / Fire Ground\tFG 1\t 853.1000\t2001\t9:05:00 AM\t9:05:04 AM\t12-07-2026\r\n"));
    model->setLoaded(load);
    model->addLiveHit(QStringLiteral(
        "County / Fire\tTac\t 154.3100\tD023\t9:10:00 AM\t9:10:10 AM\t12-07-2026\r\n"));
    return model;
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
};

void TestHistoryFilter::newestFirstWithLiveOnTop()
{
    HistoryModel *model = filledModel(this);
    QCOMPARE(model->rowCount(), 6);
    QCOMPARE(model->cellText(0, HistoryModel::Channel), QStringLiteral("Tac"));
    QCOMPARE(model->cellText(1, HistoryModel::Channel), QStringLiteral("FG 1"));
    QCOMPARE(model->cellText(2, HistoryModel::Run), QStringLiteral("12-06-2026_3-00-00-PM"));
    QCOMPARE(model->cellText(5, HistoryModel::Start), QStringLiteral("broken"));
    QVERIFY(!model->addLiveHit(QStringLiteral("no hit here\r\n")));
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
    HistoryModel *model = filledModel(this);
    model->setFilter({text, from, to, thisRunOnly});
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row)
        shown.append(model->cellText(row, HistoryModel::Channel));
    QCOMPARE(shown, channels);
}

void TestHistoryFilter::typingOnMatchesFreshFilter()
{
    // Each keystroke narrows what the previous one showed; erasing and
    // retyping must end where a fresh filter does.
    HistoryModel *typed = filledModel(this);
    const QString text = QStringLiteral("metro tac 2");
    for (qsizetype n = 1; n <= text.size(); ++n)
        typed->setFilter({text.left(n), {}, {}, false});
    typed->setFilter({QStringLiteral("metro ta"), {}, {}, false});
    typed->setFilter({QStringLiteral("metro tac 2"), {}, {}, false});
    // "This run only" ticked and cleared again: the earlier runs come back.
    typed->setFilter({text, {}, {}, true});
    QCOMPARE(typed->rowCount(), 0);
    typed->setFilter({text, {}, {}, false});
    HistoryModel *fresh = filledModel(this);
    fresh->setFilter({text, {}, {}, false});
    QCOMPARE(typed->shown(), fresh->shown());
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
    HistoryModel *model = filledModel(this);
    model->setFilter({text, {}, {}, false});
    QStringList got;
    const auto counts = countHits(model->hits(), model->shown(),
                                  byTalkgroup ? CountBy::Talkgroup : CountBy::Channel);
    for (const HistoryCount &count : counts)
        got.append(
            QStringLiteral("%1 %2 %3").arg(count.name).arg(count.hits).arg(count.airSeconds));
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestHistoryFilter)
#include "tst_historyfilter.moc"
