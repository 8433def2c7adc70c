// The harvest walk fed by the simulated radio's memory, with answers
// replaced where a row breaks one; and the text of hit_intel.txt.
#include "intel/harvestwalk.h"
#include "sim/simradio.h"

#include <QtTest>

namespace {

struct Walked
{
    QList<QByteArray> commands;
    HarvestWalk walk;
};

// Walks the radio in programming mode; an answer listed in broken replaces
// the radio's own answer to that command ("" is a silent radio).
Walked walkRadio(SimRadio &radio, const QHash<QByteArray, QByteArray> &broken = {})
{
    Walked w;
    QByteArray command = w.walk.start();
    while (!command.isEmpty() && w.commands.size() < 10000) {
        w.commands.append(command);
        const QByteArray answer = broken.value(command, radio.reply(command));
        command = w.walk.next(answer);
    }
    return w;
}

// hit_intel.txt as the memory's channel groups give it.
QByteArray fileOf(const SimMemory &memory)
{
    QByteArray lines;
    for (const SimMemory::System &system : memory.systems()) {
        for (const SimMemory::Group &group : system.groups) {
            for (const SimMemory::Channel &c : group.channels) {
                if (!group.talkgroups)
                    lines.prepend(c.frequency + '\t' + c.name + '\t' + group.name + '\t' +
                                  system.name + "\r\n");
            }
        }
    }
    return lines + "\r\n";
}

} // namespace

class TestHarvestWalk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void walksTheSeededMemory_data()
    {
        QTest::addColumn<bool>("older");
        QTest::newRow("17-field SIN") << false;
        QTest::newRow("15-field SIN") << true;
    }
    void walksTheSeededMemory()
    {
        QFETCH(bool, older);
        SimRadio radio;
        radio.memory().setOlderSystemLayout(older);
        const Walked w = walkRadio(radio);
        QVERIFY(w.walk.finished());
        QCOMPARE(hitIntelText(w.walk.channels()), fileOf(radio.memory()));
        // Both talkgroup groups of the trunked system answer CIN with NG:
        // their chains end there, and nothing counts as cut short.
        QCOMPARE(w.walk.chainsCut(), 0);
        const SimMemory &m = radio.memory();
        QCOMPARE(w.commands.mid(0, 4), (QList<QByteArray>{"PRG", "SIH", "SIN," + m.systemIndex(0),
                                                          "GIN," + m.groupIndex(0, 0)}));
        // No GIN for the system without groups, no CIN for the empty group.
        QCOMPARE(w.commands.last(), "SIN," + m.systemIndex(3));
        QVERIFY(!w.commands.contains("CIN,-1"));
        QCOMPARE(w.commands.size(), 2 + 4 + 7 + 10);
        QCOMPARE(w.walk.progress().systems, 4);
        QCOMPARE(w.walk.progress().channels, 8);
    }

    void noSystemsGiveAnEmptyFile()
    {
        SimRadio radio;
        radio.memory().setSystems({});
        const Walked w = walkRadio(radio);
        QCOMPARE(w.commands, (QList<QByteArray>{"PRG", "SIH"}));
        QCOMPARE(hitIntelText(w.walk.channels()), QByteArray("\r\n"));
        QCOMPARE(w.walk.chainsCut(), 0);
        QVERIFY(w.walk.foundProgramming());
    }

    void theLastChannelFoundComesFirst()
    {
        const QList<HarvestChannel> found = {{"01554750", "A", "Sheriff", "Marion"},
                                             {"01540700", "B", "Fire", "Marion"},
                                             {"04605250", "C", "Police", "Springfield"}};
        QCOMPARE(hitIntelText(found), QByteArray("04605250\tC\tPolice\tSpringfield\r\n"
                                                 "01540700\tB\tFire\tMarion\r\n"
                                                 "01554750\tA\tSheriff\tMarion\r\n\r\n"));
    }

    // One answer broken in the middle of the walk: what is lost, and that
    // the walk goes on with the next group or system.
    void aFaultCutsOnlyItsChain_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArrayList>("lost");
        QTest::addColumn<int>("cut");
        const SimMemory m;
        const QByteArray soTac2 = "CIN," + m.channelIndex(0, 0, 1);
        const QByteArrayList rest = {"SO Tac 2", "Jail Ops"};
        QTest::newRow("silent CIN") << soTac2 << QByteArray() << rest << 1;
        QTest::newRow("CIN,NG") << soTac2 << QByteArray("CIN,NG") << rest << 1;
        QTest::newRow("ERR") << soTac2 << QByteArray("ERR") << rest << 1;
        QTest::newRow("another command's answer") << soTac2 << QByteArray("KEY,OK") << rest << 1;
        QTest::newRow("CIN short of its next index")
            << soTac2 << QByteArray("CIN,SO Tac 2,01551300,NFM") << rest << 1;
        QTest::newRow("GIN,NG: the rest of the system")
            << "GIN," + m.groupIndex(0, 1) << QByteArray("GIN,NG")
            << QByteArrayList{"Fire Dispatch", "Fireground 1"} << 1;
        QTest::newRow("silent SIN: the rest of the walk")
            << "SIN," + m.systemIndex(2) << QByteArray()
            << QByteArrayList{"PD Dispatch", "Streets", "Water Dept"} << 1;
        // In a talkgroup group only the radio's NG is the chain's end.
        const QByteArray talkgroups = "CIN," + m.channelIndex(1, 0, 0);
        QTest::newRow("talkgroup group, silent")
            << talkgroups << QByteArray() << QByteArrayList{} << 1;
        QTest::newRow("talkgroup group, ERR")
            << talkgroups << QByteArray("CIN,ERR") << QByteArrayList{} << 1;
        QTest::newRow("SIH,NG: everything") << QByteArray("SIH") << QByteArray("SIH,NG")
                                            << QByteArrayList{"SO Dispatch", "Streets"} << 1;
    }
    void aFaultCutsOnlyItsChain()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, answer);
        QFETCH(QByteArrayList, lost);
        QFETCH(int, cut);
        SimRadio radio;
        const Walked w = walkRadio(radio, {{command, answer}});
        QVERIFY(w.walk.finished());
        QCOMPARE(w.walk.chainsCut(), cut);
        QCOMPARE(w.walk.foundProgramming(), command != "SIH");
        QByteArrayList names;
        for (const HarvestChannel &c : w.walk.channels())
            names.append(c.name);
        for (const QByteArray &name : lost)
            QVERIFY2(!names.contains(name), name.constData());
        // The broken chain is the only loss: Springfield's channels come
        // after it unless the system chain itself was cut.
        if (!lost.contains("Streets"))
            QVERIFY(names.contains("Water Dept"));
    }

    void onlyTheExactTextMinusOneEndsAChain_data()
    {
        QTest::addColumn<QByteArray>("next");
        QTest::newRow("-01") << QByteArray("-01");
        QTest::newRow("blank before") << QByteArray(" -1");
    }
    void onlyTheExactTextMinusOneEndsAChain()
    {
        QFETCH(QByteArray, next);
        SimRadio radio;
        const QByteArray last = "CIN," + radio.memory().channelIndex(2, 0, 0);
        radio.reply("PRG");
        QList<QByteArray> fields = radio.reply(last).split(',');
        fields[12] = next;
        const Walked w = walkRadio(radio, {{last, fields.join(',')}});
        QVERIFY(w.commands.contains("CIN," + next));
        QVERIFY(w.walk.finished());
    }

    void aChainThatLoopsIsCut()
    {
        SimRadio radio;
        radio.reply("PRG");
        const QByteArray second = "CIN," + radio.memory().channelIndex(0, 0, 1);
        QList<QByteArray> fields = radio.reply(second).split(',');
        fields[12] = radio.memory().channelIndex(0, 0, 0);
        const Walked w = walkRadio(radio, {{second, fields.join(',')}});
        QVERIFY(w.walk.finished());
        QCOMPARE(w.walk.chainsCut(), 1);
        QCOMPARE(w.commands.count("CIN," + radio.memory().channelIndex(0, 0, 0)), 1);
    }
};

QTEST_GUILESS_MAIN(TestHarvestWalk)
#include "tst_harvestwalk.moc"
