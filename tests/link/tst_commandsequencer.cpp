#include "link/commandsequencer.h"
#include "link/keyoperations.h"
#include "link/macros.h"

#include <QSignalSpy>
#include <QTest>

using Step = CommandSequencer::Step;

class TestCommandSequencer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstCommandsLeaveInsidePlay();
    void waitsOnTheEventLoop();
    void waitAfterLastStepKeepsBusy();
    void queuedSequencesFollowInOrder();
    void actionsRunInTheirTurn();
    void playFromAnActionQueues();
    void emptySequenceDoesNothing();
    void clearDropsTheRest();
    void stopAfterCurrent_data();
    void stopAfterCurrent();
    void converter();
};

void TestCommandSequencer::firstCommandsLeaveInsidePlay()
{
    QList<QByteArray> sent;
    CommandSequencer sequencer([&sent](const QByteArray &c) { sent.append(c); });
    QSignalSpy idle(&sequencer, &CommandSequencer::idle);
    sequencer.play(CommandSequencer::steps(keyOperation(QStringLiteral("key_g3"))));
    QCOMPARE(sent, (QList<QByteArray>{"KEY,F,H", "KEY,3,P", "KEY,F,R"}));
    QVERIFY(!sequencer.busy());
    QCOMPARE(idle.count(), 1);
}

void TestCommandSequencer::waitsOnTheEventLoop()
{
    QList<QByteArray> sent;
    CommandSequencer sequencer([&sent](const QByteArray &c) { sent.append(c); });
    QSignalSpy idle(&sequencer, &CommandSequencer::idle);
    sequencer.play(CommandSequencer::steps(keyOperation(QStringLiteral("key_lock"))));
    // Func goes down at once; the rest waits while the event loop runs.
    QCOMPARE(sent, QList<QByteArray>{"KEY,F,H"});
    QVERIFY(sequencer.busy());
    QCOMPARE(idle.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(idle.count(), 1, 5000);
    QCOMPARE(sent, (QList<QByteArray>{"KEY,F,H", "KEY,P,P", "KEY,F,R"}));
    QVERIFY(!sequencer.busy());
}

void TestCommandSequencer::waitAfterLastStepKeepsBusy()
{
    QList<QByteArray> sent;
    CommandSequencer sequencer([&sent](const QByteArray &c) { sent.append(c); });
    QSignalSpy idle(&sequencer, &CommandSequencer::idle);
    sequencer.play(CommandSequencer::steps(macroSteps(QStringLiteral("1,P"))));
    QCOMPARE(sent, QList<QByteArray>{"KEY,1,P"});
    // The macro's last item still has its wait.
    QVERIFY(sequencer.busy());
    QTRY_COMPARE_WITH_TIMEOUT(idle.count(), 1, 5000);
    QVERIFY(!sequencer.busy());
}

void TestCommandSequencer::queuedSequencesFollowInOrder()
{
    QList<QByteArray> sent;
    CommandSequencer sequencer([&sent](const QByteArray &c) { sent.append(c); });
    QSignalSpy idle(&sequencer, &CommandSequencer::idle);
    sequencer.play(CommandSequencer::steps(revKeyToggle(false)));
    sequencer.play(CommandSequencer::steps(keyOperation(QStringLiteral("key_g1"))));
    sequencer.play(CommandSequencer::steps(macroSteps(QStringLiteral("S,P H,P"))));
    sequencer.play(CommandSequencer::steps(keyOperation(QStringLiteral("key_5"))));
    QCOMPARE(sent, QList<QByteArray>{"KEY,F,H"});
    QVERIFY(sequencer.busy());
    QTRY_COMPARE_WITH_TIMEOUT(idle.count(), 1, 10000);
    const QList<QByteArray> expected{"KEY,F,H", "KEY,.,H", "KEY,F,H", "KEY,1,P",
                                     "KEY,F,R", "KEY,S,P", "KEY,H,P", "KEY,5,P"};
    QCOMPARE(sent, expected);
    QVERIFY(!sequencer.busy());
}

void TestCommandSequencer::actionsRunInTheirTurn()
{
    QStringList happened;
    CommandSequencer sequencer(
        [&happened](const QByteArray &c) { happened.append(QString::fromLatin1(c)); });
    QSignalSpy idle(&sequencer, &CommandSequencer::idle);
    sequencer.play({{"KEY,F,H", 20, {}},
                    {"KEY,.,H", 0, {}},
                    {{}, 0, [&happened] { happened.append(QStringLiteral("held")); }}});
    sequencer.play({{{}, 0, [&happened] { happened.append(QStringLiteral("stop scan")); }},
                    {"KEY,S,P", 0, {}}});
    QCOMPARE(happened, QStringList{"KEY,F,H"});
    QTRY_COMPARE_WITH_TIMEOUT(idle.count(), 1, 5000);
    QCOMPARE(happened, (QStringList{"KEY,F,H", "KEY,.,H", "held", "stop scan", "KEY,S,P"}));
}

void TestCommandSequencer::playFromAnActionQueues()
{
    QList<QByteArray> sent;
    CommandSequencer sequencer([&sent](const QByteArray &c) { sent.append(c); });
    QSignalSpy idle(&sequencer, &CommandSequencer::idle);
    sequencer.play({{{},
                     0,
                     [&sequencer] {
                         sequencer.play({{"KEY,2,P", 0, {}}});
                     }},
                    {"KEY,1,P", 0, {}}});
    QCOMPARE(sent, (QList<QByteArray>{"KEY,1,P", "KEY,2,P"}));
    QCOMPARE(idle.count(), 1);
}

void TestCommandSequencer::emptySequenceDoesNothing()
{
    int sends = 0;
    CommandSequencer sequencer([&sends](const QByteArray &) { ++sends; });
    QSignalSpy idle(&sequencer, &CommandSequencer::idle);
    sequencer.play({});
    QVERIFY(!sequencer.busy());
    QCOMPARE(idle.count(), 0);
    QCOMPARE(sends, 0);
}

void TestCommandSequencer::clearDropsTheRest()
{
    QList<QByteArray> sent;
    CommandSequencer sequencer([&sent](const QByteArray &c) { sent.append(c); });
    QSignalSpy idle(&sequencer, &CommandSequencer::idle);
    sequencer.play(CommandSequencer::steps(keyOperation(QStringLiteral("key_lock"))));
    sequencer.play(CommandSequencer::steps(keyOperation(QStringLiteral("key_1"))));
    sequencer.clear();
    QVERIFY(!sequencer.busy());
    QCOMPARE(idle.count(), 1);
    sequencer.play(CommandSequencer::steps(keyOperation(QStringLiteral("key_2"))));
    QCOMPARE(sent, (QList<QByteArray>{"KEY,F,H", "KEY,2,P"}));
}

void TestCommandSequencer::stopAfterCurrent_data()
{
    QTest::addColumn<bool>("macro");
    QTest::addColumn<QList<QByteArray>>("sent");
    // key_lock waits between its hold and its release: the release still
    // leaves; the key queued behind it does not.
    QTest::newRow("inside a key") << false << QList<QByteArray>{"KEY,F,H", "KEY,P,P", "KEY,F,R"};
    // Between macro items: the items not yet sent are dropped at once.
    QTest::newRow("between macro items") << true << QList<QByteArray>{"KEY,1,P"};
}

void TestCommandSequencer::stopAfterCurrent()
{
    QFETCH(bool, macro);
    QFETCH(QList<QByteArray>, sent);
    QList<QByteArray> got;
    CommandSequencer sequencer([&got](const QByteArray &c) { got.append(c); });
    QSignalSpy idle(&sequencer, &CommandSequencer::idle);
    if (macro)
        sequencer.play(CommandSequencer::steps(macroSteps(QStringLiteral("1,P 2,P 3,P"))), true);
    else
        sequencer.play(CommandSequencer::steps(keyOperation(QStringLiteral("key_lock"))));
    sequencer.play(CommandSequencer::steps(keyOperation(QStringLiteral("key_5"))));
    sequencer.stopAfterCurrent();
    QTRY_COMPARE_WITH_TIMEOUT(idle.count(), 1, 5000);
    QVERIFY(!sequencer.busy());
    QCOMPARE(got, sent);
}

void TestCommandSequencer::converter()
{
    const QList<Step> steps = CommandSequencer::steps({{"KEY,F,H", 1000}, {"KEY,P,P", 0}});
    QCOMPARE(steps.size(), 2);
    QCOMPARE(steps.at(0).command, QByteArray("KEY,F,H"));
    QCOMPARE(steps.at(0).waitAfterMs, 1000);
    QVERIFY(!steps.at(0).action);
    QCOMPARE(steps.at(1).command, QByteArray("KEY,P,P"));
    QCOMPARE(steps.at(1).waitAfterMs, 0);
}

QTEST_GUILESS_MAIN(TestCommandSequencer)
#include "tst_commandsequencer.moc"
