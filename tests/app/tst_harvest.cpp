// Reading the radio's programming from the window, over the pseudo-terminal:
// the file, the poll off during the walk and on after it, faults, Cancel.
#include "support/radiofixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

using Memory = QList<SimMemory::System>;

SimMemory::Channel ch(const char *name, const char *frequency)
{
    return {name, frequency, "NFM", "0"};
}

// Channels A and B, an empty group, a system without groups, then C.
Memory smallMemory()
{
    return {
        {"CNV", "Marion", {{"Sheriff", {ch("A", "01554750"), ch("B", "01551300")}}, {"Empty", {}}}},
        {"CNV", "Quiet", {}},
        {"CNV", "Springfield", {{"Police", {ch("C", "04605250")}}}}};
}

const QByteArray smallFile = "04605250\tC\tPolice\tSpringfield\r\n"
                             "01551300\tB\tSheriff\tMarion\r\n"
                             "01554750\tA\tSheriff\tMarion\r\n\r\n";

QByteArrayList lines(const PtyRadio &radio)
{
    QByteArrayList out;
    for (const PtyRadio::Received &r : radio.received())
        out.append(r.line);
    return out;
}

} // namespace

class TestHarvest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<RadioFixture> f;
    std::unique_ptr<Form1> form;

    QPushButton *readButton() { return child<QPushButton>(form.get(), "read_programming"); }
    QPushButton *cancelButton() { return child<QPushButton>(form.get(), "cancel_harvest"); }
    QTimer *timer(const char *name) { return child<QTimer>(form.get(), name); }
    QByteArray intelFile() { return f->readFile(QStringLiteral("hit_intel.txt")); }

    // Clicks the button and waits for the end message.
    bool harvest()
    {
        const qsizetype before = f->messages.size();
        f->radio().clearReceived();
        QTest::mouseClick(readButton(), Qt::LeftButton);
        return QTest::qWaitFor([&] { return f->messages.size() > before; }, 30000);
    }

    // After the harvest: the radio left programming mode, the poll runs
    // again, and no poll query came between "PRG" and "EPG".
    void verifyPollResumed()
    {
        // The poll comes back after the walk in any case; "EPG" went before it.
        QTRY_VERIFY(lines(f->radio()).mid(lines(f->radio()).indexOf("PRG")).contains("STS"));
        const QByteArrayList sent = lines(f->radio());
        const qsizetype prg = sent.indexOf("PRG");
        const qsizetype epg = sent.indexOf("EPG", prg);
        QVERIFY2(epg > prg, "no EPG after the walk");
        const QByteArrayList walk = sent.mid(prg, epg - prg);
        QVERIFY(!walk.isEmpty());
        QVERIFY(!walk.contains("STS"));
        QTRY_VERIFY(!f->radio().radio().isProgramming());
        QVERIFY(timer("Timer1")->isActive());
        QVERIFY(!timer("Timer2")->isActive());
        QVERIFY(readButton()->isEnabled());
        QVERIFY(!cancelButton()->isEnabled());
    }

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<RadioFixture>();
        f->writeFile(QStringLiteral("com_settings.txt"), runningComSettings());
        f->radio().radio().memory().setSystems(smallMemory());
        form = f->makeForm();
        QVERIFY(form->isRunning());
    }
    void cleanup()
    {
        form.reset();
        f.reset();
    }

    void readsTheWholeProgramming_data()
    {
        QTest::addColumn<bool>("older");
        QTest::newRow("17-field SIN") << false;
        QTest::newRow("15-field SIN") << true;
    }
    void readsTheWholeProgramming()
    {
        QFETCH(bool, older);
        f->radio().radio().memory().setOlderSystemLayout(older);
        QVERIFY(readButton()->isEnabled());
        QVERIFY(harvest());
        QCOMPARE(f->messages.last(), QStringLiteral("Hit Inteligence Updated"));
        QCOMPARE(intelFile(), smallFile);
        QCOMPARE(child<QLabel>(form.get(), "Text1")->text(), QStringLiteral("Found: \nC"));
        QVERIFY(child<QLabel>(form.get(), "harvest_progress")
                    ->text()
                    .startsWith(QStringLiteral("Systems: 3   Groups: 3   Channels: 3\nDone!")));
        verifyPollResumed();
    }

    void noSystemsGiveAFileOfOneLineEnd()
    {
        f->radio().radio().memory().setSystems({});
        QVERIFY(harvest());
        QCOMPARE(intelFile(), QByteArray("\r\n"));
        QVERIFY(!lines(f->radio()).contains("SIN,-1"));
        verifyPollResumed();
    }

    void aFaultInTheMiddleCutsOnlyItsChain_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::newRow("talkgroups only") << false;
        QTest::newRow("no answer") << true;
    }
    void aFaultInTheMiddleCutsOnlyItsChain()
    {
        QFETCH(bool, silent);
        SimMemory &memory = f->radio().radio().memory();
        Memory systems = smallMemory();
        // A group of talkgroups: CIN on its head answers NG.
        systems[0].groups.insert(1, {"Talk", {{"TG 1", {}, "FM", "0"}}, true});
        memory.setSystems(systems);
        if (silent) {
            // The radio says nothing to "CIN" for channel B only.
            const QByteArray before = "CIN," + memory.channelIndex(0, 0, 0);
            const QByteArray mute = "CIN," + memory.channelIndex(0, 0, 1);
            connect(&f->radio(), &PtyRadio::commandReceived, form.get(),
                    [&, before, mute](const QByteArray &l) {
                        if (l == before)
                            f->radio().setFault(PtyRadio::Fault::Silent);
                        else if (l == mute)
                            f->radio().setFault(PtyRadio::Fault::None);
                    });
        }
        QVERIFY(harvest());
        // Channel B's chain when B goes unanswered; the talkgroup group's
        // chain ends at its NG and is not counted.
        if (silent)
            QVERIFY(f->messages.last().startsWith(
                QStringLiteral("Hit Inteligence Updated\n\n1 list(s)")));
        else
            QCOMPARE(f->messages.last(), QStringLiteral("Hit Inteligence Updated"));
        QByteArray expected = smallFile;
        if (silent)
            expected.replace("01551300\tB\tSheriff\tMarion\r\n", "");
        QCOMPARE(intelFile(), expected);
        verifyPollResumed();
    }

    void aSilentRadioLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("silent") << int(PtyRadio::Fault::Silent);
        QTest::newRow("garbage") << int(PtyRadio::Fault::Garbage);
    }
    void aSilentRadioLeavesTheFileAsItWas()
    {
        QFETCH(int, fault);
        f->writeFile(QStringLiteral("hit_intel.txt"), "earlier\r\n");
        f->radio().setFault(PtyRadio::Fault(fault));
        QVERIFY(harvest());
        QVERIFY(f->messages.last().startsWith(QStringLiteral("The radio did not give")));
        QCOMPARE(intelFile(), QByteArray("earlier\r\n"));
        QVERIFY(timer("Timer1")->isActive());
        QVERIFY(readButton()->isEnabled());
    }

    void cancelLeavesProgrammingModeAndPolls()
    {
        f->radio().setReplyDelayMs(20);
        f->radio().radio().memory().setSystems(SimMemory::generated(2, 3, 10));
        f->writeFile(QStringLiteral("hit_intel.txt"), "earlier\r\n");
        f->radio().clearReceived();
        QTest::mouseClick(readButton(), Qt::LeftButton);
        QVERIFY(!readButton()->isEnabled());
        QTRY_VERIFY(form->harvest().walk().progress().channels >= 3);
        QTest::mouseClick(cancelButton(), Qt::LeftButton);
        QVERIFY(!form->isHarvesting());
        verifyPollResumed();
        const QByteArrayList sent = lines(f->radio());
        const QByteArrayList after = sent.mid(sent.lastIndexOf("EPG"));
        QVERIFY(!after.contains("PRG"));
        QVERIFY(std::none_of(after.cbegin(), after.cend(),
                             [](const QByteArray &l) { return l.startsWith("CIN,"); }));
        QVERIFY(f->messages.isEmpty());
        QCOMPARE(intelFile(), QByteArray("earlier\r\n"));
    }

    void aSecondHarvestReplacesTheFirst()
    {
        QVERIFY(harvest());
        QCOMPARE(intelFile(), smallFile);
        verifyPollResumed();
        f->radio().radio().memory().setSystems(
            {{"CNV", "Lake", {{"EMS", {ch("Med 1", "04630000")}}}}});
        QVERIFY(harvest());
        QCOMPARE(intelFile(), QByteArray("04630000\tMed 1\tEMS\tLake\r\n\r\n"));
        verifyPollResumed();
    }

    void stoppingTheLinkEndsTheHarvest()
    {
        f->radio().setReplyDelayMs(20);
        f->radio().radio().memory().setSystems(SimMemory::generated(2, 3, 10));
        QTest::mouseClick(readButton(), Qt::LeftButton);
        QTRY_VERIFY(form->harvest().walk().progress().channels >= 1);
        QTest::mouseClick(child<QPushButton>(form.get(), "Command2"), Qt::LeftButton);
        QVERIFY(!form->isHarvesting());
        QVERIFY(!timer("Timer1")->isActive());
        QVERIFY(!readButton()->isEnabled());
        QVERIFY(!cancelButton()->isEnabled());
        QVERIFY(f->messages.isEmpty());
    }
};

QTEST_MAIN(TestHarvest)
#include "tst_harvest.moc"
