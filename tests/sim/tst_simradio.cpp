#include "sim/displaylines.h"
#include "sim/simradio.h"

#include <QtTest>

namespace {

struct Tick
{
    QList<QByteArray> sts;
    QList<QByteArray> glg;
    QList<QByteArray> win;

    bool active() const { return sts.value(15) == "0"; }
    QByteArray line(int n) const { return sts.value(2 * n); }
};

// One poll of the radio: STS, GLG and WIN, split at commas.
Tick poll(SimRadio &radio)
{
    Tick tick;
    tick.sts = radio.reply("STS").split(',');
    tick.glg = radio.reply("GLG").split(',');
    tick.win = radio.reply("WIN").split(',');
    return tick;
}

Reception conventional()
{
    Reception reception;
    reception.kind = Reception::Kind::Conventional;
    reception.system = "Marion County";
    reception.group = "Sheriff";
    reception.channel = "SO Dispatch";
    reception.frequency = "01545250";
    reception.tone = "67";
    reception.modulation = "NFM";
    reception.signal = 4;
    reception.gapTicks = 3;
    reception.activeTicks = 4;
    return reception;
}

Reception trunked()
{
    Reception reception;
    reception.kind = Reception::Kind::Trunked;
    reception.system = "Metro Regional";
    reception.group = "Police";
    reception.channel = "PD North Disp";
    reception.talkgroup = "1234";
    reception.frequency = "08515625";
    reception.tone = "0";
    reception.modulation = "FM";
    reception.gapTicks = 3;
    reception.activeTicks = 5;
    return reception;
}

const QByteArray holdBytes = "\x8d\x8e\x8f\x90";

} // namespace

class TestSimRadio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void idleRadioHoldsWithEmptyReception();
    void everyScreenLineIsSixteenBytes();
    void commandReplies_data();
    void commandReplies();
    void strayLineFeedIsIgnored();
    void levelQueryAnswersLastSetting();
    void menuScreen();
    void holdKeyTogglesScanning();
    void quickSearchHoldsOnFrequency();
    void stepKeyMovesHeldChannel();
    void conventionalReceptionTimeline();
    void glgKeepsFieldsWhileHeldAfterReception();
    void p25BadgeOnlyWhileActive();
    void trunkedReception();
    void unnamedTalkgroupShowsId();
    void closeCallScreenUntilYesKey();
    void blipIsOneTickWithoutNames();
    void skipKeyCutsReceptionShort();
    void heldRadioWaitsForItsFrequency();
    void quickSearchPlaysThereAndSkipEndsIt();
    void displayLines_data();
    void displayLines();
};

void TestSimRadio::idleRadioHoldsWithEmptyReception()
{
    SimRadio radio;
    const Tick tick = poll(radio);
    QCOMPARE(tick.sts.size(), 18);
    QCOMPARE(tick.sts.at(0), QByteArray("STS"));
    QCOMPARE(tick.sts.at(1), QByteArray("011000"));
    QCOMPARE(tick.line(1).mid(1, 4), holdBytes);
    QCOMPARE(tick.sts.at(14), QByteArray("0"));
    QCOMPARE(tick.sts.at(15), QByteArray("1"));
    QCOMPARE(radio.reply("GLG"), QByteArray("GLG,,,,,,,,,"));
    QCOMPARE(tick.win.size(), 3);
    QCOMPARE(tick.win.at(0), QByteArray("WIN"));
    QCOMPARE(tick.win.at(2).size(), 8);
    const int level = tick.win.at(1).toInt();
    QVERIFY(level >= 85 && level <= 88);
    QVERIFY(radio.isHolding());
    QVERIFY(radio.isIdle());
}

void TestSimRadio::everyScreenLineIsSixteenBytes()
{
    SimRadio radio;
    Reception longNames = conventional();
    longNames.system = "A System Name Longer Than Sixteen";
    longNames.channel = "Also Far Too Long For One Line";
    radio.queueReception(longNames);
    radio.queueReception(trunked());
    for (int i = 0; i < 40; ++i) {
        const Tick tick = poll(radio);
        QCOMPARE(tick.sts.size(), 18);
        for (int n = 1; n <= 6; ++n)
            QCOMPARE(tick.line(n).size(), 16);
        QCOMPARE(tick.glg.size(), 10);
        QCOMPARE(tick.win.size(), 3);
    }
}

void TestSimRadio::commandReplies_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("model") << QByteArray("MDL") << QByteArray("MDL,BCD396T");
    QTest::newRow("key press") << QByteArray("KEY,H,P") << QByteArray("KEY,OK");
    QTest::newRow("key hold F") << QByteArray("KEY,F,H") << QByteArray("KEY,OK");
    QTest::newRow("key release") << QByteArray("KEY,.,R") << QByteArray("KEY,OK");
    QTest::newRow("key long digit") << QByteArray("KEY,7,L") << QByteArray("KEY,OK");
    QTest::newRow("scroll right") << QByteArray("KEY,>,P") << QByteArray("KEY,OK");
    QTest::newRow("unknown key") << QByteArray("KEY,Z,P") << QByteArray("KEY,ERR");
    QTest::newRow("lower-case key") << QByteArray("KEY,h,P") << QByteArray("KEY,ERR");
    QTest::newRow("unknown mode") << QByteArray("KEY,H,X") << QByteArray("KEY,ERR");
    QTest::newRow("scroll held") << QByteArray("KEY,>,H") << QByteArray("KEY,ERR");
    QTest::newRow("scroll released") << QByteArray("KEY,<,R") << QByteArray("KEY,ERR");
    QTest::newRow("key without mode") << QByteArray("KEY,H") << QByteArray("KEY,ERR");
    QTest::newRow("key two letters") << QByteArray("KEY,HH,P") << QByteArray("KEY,ERR");
    QTest::newRow("key extra field") << QByteArray("KEY,H,P,1") << QByteArray("KEY,ERR");
    QTest::newRow("volume") << QByteArray("VOL,7") << QByteArray("VOL,OK");
    QTest::newRow("volume top") << QByteArray("VOL,15") << QByteArray("VOL,OK");
    QTest::newRow("volume too high") << QByteArray("VOL,16") << QByteArray("VOL,ERR");
    QTest::newRow("volume negative") << QByteArray("VOL,-1") << QByteArray("VOL,ERR");
    QTest::newRow("volume text") << QByteArray("VOL,x") << QByteArray("VOL,ERR");
    QTest::newRow("volume empty") << QByteArray("VOL,") << QByteArray("VOL,ERR");
    QTest::newRow("squelch") << QByteArray("SQL,0") << QByteArray("SQL,OK");
    QTest::newRow("squelch too high") << QByteArray("SQL,99") << QByteArray("SQL,ERR");
    QTest::newRow("tune") << QByteArray("QSH,01555200,0,NFM,0,.,.,.,.,.") << QByteArray("QSH,OK");
    QTest::newRow("tune empty modulation")
        << QByteArray("QSH,01555200,0,,0,.,.,.,.,.") << QByteArray("QSH,OK");
    QTest::newRow("tune short frequency") << QByteArray("QSH,1555200") << QByteArray("QSH,ERR");
    QTest::newRow("tune letters") << QByteArray("QSH,0155520A,0,FM") << QByteArray("QSH,ERR");
    QTest::newRow("tune below band")
        << QByteArray("QSH,00005000,0,FM,0,.,.,.,.,.") << QByteArray("QSH,ERR");
    QTest::newRow("tune bad modulation")
        << QByteArray("QSH,01555200,0,XM,0") << QByteArray("QSH,ERR");
    QTest::newRow("tune without fields") << QByteArray("QSH") << QByteArray("QSH,ERR");
    QTest::newRow("program") << QByteArray("PRG") << QByteArray("PRG,OK");
    QTest::newRow("end program") << QByteArray("EPG") << QByteArray("EPG,OK");
    QTest::newRow("unknown") << QByteArray("FOO") << QByteArray("ERR");
    QTest::newRow("lower-case") << QByteArray("sts") << QByteArray("ERR");
    QTest::newRow("empty") << QByteArray("") << QByteArray("ERR");
    QTest::newRow("status with field") << QByteArray("STS,1") << QByteArray("STS,ERR");
    QTest::newRow("model with field") << QByteArray("MDL,1") << QByteArray("MDL,ERR");
}

void TestSimRadio::commandReplies()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, expected);
    SimRadio radio;
    QCOMPARE(radio.reply(command), expected);
}

void TestSimRadio::strayLineFeedIsIgnored()
{
    SimRadio radio;
    QCOMPARE(radio.reply("\nMDL"), QByteArray("MDL,BCD396T"));
    QCOMPARE(radio.reply("VOL,3\n"), QByteArray("VOL,OK"));
    QCOMPARE(radio.volume(), 3);
}

void TestSimRadio::levelQueryAnswersLastSetting()
{
    SimRadio radio;
    QCOMPARE(radio.reply("VOL,5"), QByteArray("VOL,OK"));
    QCOMPARE(radio.reply("VOL"), QByteArray("VOL,5"));
    QCOMPARE(radio.reply("VOL,99"), QByteArray("VOL,ERR"));
    QCOMPARE(radio.reply("VOL"), QByteArray("VOL,5"));
    QCOMPARE(radio.reply("SQL,12"), QByteArray("SQL,OK"));
    QCOMPARE(radio.reply("SQL"), QByteArray("SQL,12"));
}

void TestSimRadio::menuScreen()
{
    SimRadio radio;
    QCOMPARE(radio.reply("KEY,M,P"), QByteArray("KEY,OK"));
    QVERIFY(radio.isInMenu());
    QCOMPARE(radio.reply("STS"),
             QByteArray("STS,1111, -- M E N U --  ,________________,Program System  ,"
                        "****************,Srch/CloCall Opt,,Settings        ,,0,1,0,0"));
    QCOMPARE(radio.reply("QSH,01555200,0,FM,0,.,.,.,.,."), QByteArray("QSH,NG"));

    QCOMPARE(radio.reply("KEY,>,P"), QByteArray("KEY,OK"));
    QList<QByteArray> fields = radio.reply("STS").split(',');
    QCOMPARE(fields.size(), 14);
    QCOMPARE(fields.at(5), QByteArray());
    QCOMPARE(fields.at(7), QByteArray(16, '*'));

    QCOMPARE(radio.reply("KEY,.,P"), QByteArray("KEY,OK"));
    QVERIFY(!radio.isInMenu());
    QCOMPARE(radio.reply("STS").split(',').size(), 18);

    radio.reply("KEY,M,P");
    radio.reply("KEY,M,P");
    QVERIFY(!radio.isInMenu());
}

void TestSimRadio::holdKeyTogglesScanning()
{
    SimRadio radio;
    QCOMPARE(poll(radio).line(1).mid(1, 4), holdBytes);
    radio.reply("KEY,H,P");
    QVERIFY(!radio.isHolding());
    Tick tick = poll(radio);
    QCOMPARE(tick.line(1).mid(1, 4), QByteArray(4, ' '));
    QCOMPARE(tick.line(3).right(3), QByteArray(" \x81 "));
    QCOMPARE(tick.glg.join(','), QByteArray("GLG,,,,,,,,,"));
    radio.reply("KEY,<,P");
    QCOMPARE(poll(radio).line(3).right(3), QByteArray(" \x82 "));
    radio.reply("KEY,H,P");
    QVERIFY(radio.isHolding());
    tick = poll(radio);
    QCOMPARE(tick.line(1).mid(1, 4), holdBytes);
    QVERIFY(!tick.line(3).contains('\x82'));
}

void TestSimRadio::quickSearchHoldsOnFrequency()
{
    SimRadio radio;
    radio.reply("KEY,S,P");
    QVERIFY(!radio.isHolding());
    QCOMPARE(radio.reply("QSH,01555200,0,NFM,0,.,.,.,.,."), QByteArray("QSH,OK"));
    QVERIFY(radio.isHolding());
    const Tick tick = poll(radio);
    QCOMPARE(tick.win.at(2), QByteArray("01555200"));
    QCOMPARE(tick.line(1).mid(1, 4), holdBytes);
    QCOMPARE(tick.line(4), QByteArray("\x9d\x9e\x9c\x9a"
                                      "155.5200    "));
}

void TestSimRadio::stepKeyMovesHeldChannel()
{
    SimRadio radio;
    const QByteArray before = poll(radio).win.at(2);
    radio.reply("KEY,>,P");
    const QByteArray after = poll(radio).win.at(2);
    QVERIFY(before != after);
    radio.reply("KEY,<,P");
    QCOMPARE(poll(radio).win.at(2), before);
}

void TestSimRadio::conventionalReceptionTimeline()
{
    SimRadio radio;
    radio.queueReception(conventional());
    const QByteArray names = "Marion County,Sheriff,SO Dispatch";
    for (int t = 1; t <= 3; ++t) {
        const Tick tick = poll(radio);
        QVERIFY2(!tick.active(), qPrintable(QString::number(t)));
        QCOMPARE(tick.glg.join(','), QByteArray("GLG,,,,,,,,,"));
        QVERIFY(tick.line(3).contains('\x81'));
    }
    for (int t = 4; t <= 7; ++t) {
        const Tick tick = poll(radio);
        QVERIFY(tick.active());
        QCOMPARE(tick.sts.at(14), QByteArray("1"));
        QCOMPARE(tick.glg.join(','), "GLG,01545250,NFM,0,67," + names + ",1,0");
        QCOMPARE(tick.win.at(2), QByteArray("01545250"));
        QVERIFY(tick.win.at(1).toInt() > 88);
        QCOMPARE(tick.line(1).mid(10, 2), QByteArray("\xaa\xab"));
        QCOMPARE(tick.line(2), QByteArray("Marion County   "));
        QCOMPARE(tick.line(3), QByteArray("SO Dispatch     "));
        QVERIFY(tick.line(4).startsWith("\x9d\x9e\x9c\x9a"
                                        "154.5250"));
        QVERIFY(radio.groundTruth().isEmpty());
    }
    for (int t = 8; t < 8 + Reception::lingerTicks; ++t) {
        const Tick tick = poll(radio);
        QVERIFY(!tick.active());
        QCOMPARE(tick.glg.join(','), "GLG,01545250,NFM,0,67," + names + ",0,1");
        QCOMPARE(tick.win.at(2), QByteArray("01545250"));
        QCOMPARE(tick.line(1).mid(10, 2), QByteArray("  "));
    }
    const Tick after = poll(radio);
    QVERIFY(!after.active());
    QCOMPARE(after.glg.join(','), QByteArray("GLG,,,,,,,,,"));
    QVERIFY(radio.isIdle());

    const QList<Reception> truth = radio.groundTruth();
    QCOMPARE(truth.size(), 1);
    QCOMPARE(truth.at(0).startTick, 4);
    QCOMPARE(truth.at(0).activeTicks, 4);
    QCOMPARE(truth.at(0).system, QByteArray("Marion County"));
    QCOMPARE(truth.at(0).logCode(), QByteArray("67"));
    QVERIFY(truth.at(0).expectLogged);
    QVERIFY(!truth.at(0).isP25());
}

void TestSimRadio::glgKeepsFieldsWhileHeldAfterReception()
{
    SimRadio radio;
    Reception reception = conventional();
    reception.gapTicks = 0;
    radio.queueReception(reception);
    QVERIFY(poll(radio).active());
    radio.reply("KEY,H,P");
    for (int i = 0; i < 20; ++i)
        poll(radio);
    QVERIFY(radio.isHolding());
    const Tick tick = poll(radio);
    QVERIFY(!tick.active());
    QCOMPARE(tick.glg.join(','),
             QByteArray("GLG,01545250,NFM,0,67,Marion County,Sheriff,SO Dispatch,0,1"));
    QCOMPARE(tick.line(1).mid(1, 4), holdBytes);
    QCOMPARE(tick.win.at(2), QByteArray("01545250"));

    radio.reply("KEY,S,P");
    QCOMPARE(poll(radio).glg.join(','), QByteArray("GLG,,,,,,,,,"));
}

void TestSimRadio::p25BadgeOnlyWhileActive()
{
    SimRadio radio;
    Reception reception = conventional();
    reception.kind = Reception::Kind::P25;
    reception.tone = "0";
    reception.gapTicks = 2;
    reception.activeTicks = 3;
    radio.queueReception(reception);
    int badged = 0;
    for (int t = 1; t <= 2 + 3 + Reception::lingerTicks + 3; ++t) {
        const Tick tick = poll(radio);
        QCOMPARE(tick.line(4).contains("P25"), tick.active());
        badged += tick.line(4).contains("P25") ? 1 : 0;
    }
    QCOMPARE(badged, 3);
    QVERIFY(radio.groundTruth().value(0).isP25());
}

void TestSimRadio::trunkedReception()
{
    SimRadio radio;
    radio.queueReception(trunked());
    for (int t = 1; t <= 3; ++t)
        poll(radio);
    const Tick tick = poll(radio);
    QVERIFY(tick.active());
    QCOMPARE(tick.glg.join(','),
             QByteArray("GLG,1234,FM,0,0,Metro Regional,Police,PD North Disp,1,0"));
    QCOMPARE(tick.win.at(2), QByteArray("08515625"));
    for (int i = 0; i < 4; ++i)
        QVERIFY(poll(radio).active());
    const Tick ended = poll(radio);
    QVERIFY(!ended.active());
    QCOMPARE(ended.win.at(2), QByteArray("08515625"));
    QCOMPARE(ended.glg.at(1), QByteArray("1234"));

    const Reception truth = radio.groundTruth().value(0);
    QVERIFY(truth.isTrunked());
    QCOMPARE(truth.logCode(), QByteArray("1234"));
    QCOMPARE(truth.frequency, QByteArray("08515625"));
    QCOMPARE(truth.channel, QByteArray("PD North Disp"));
}

void TestSimRadio::unnamedTalkgroupShowsId()
{
    SimRadio radio;
    Reception reception = trunked();
    reception.group.clear();
    reception.channel.clear();
    reception.gapTicks = 0;
    radio.queueReception(reception);
    const Tick tick = poll(radio);
    QVERIFY(tick.active());
    QCOMPARE(tick.line(3), QByteArray("ID:1234         "));
    QCOMPARE(tick.glg.join(','), QByteArray("GLG,1234,FM,0,0,Metro Regional,,,1,0"));
    for (int i = 0; i < 5; ++i)
        poll(radio);
    const Reception truth = radio.groundTruth().value(0);
    QCOMPARE(truth.group, QByteArray("Search"));
    QCOMPARE(truth.channel, QByteArray("ID:1234"));
    QVERIFY(truth.expectLogged);
}

void TestSimRadio::closeCallScreenUntilYesKey()
{
    SimRadio radio;
    Reception reception = conventional();
    reception.kind = Reception::Kind::CloseCall;
    reception.tone = "0";
    reception.gapTicks = 1;
    reception.activeTicks = 5;
    radio.queueReception(reception);
    QCOMPARE(poll(radio).line(3).contains("Press"), false);
    Tick tick = poll(radio);
    QVERIFY(tick.active());
    QCOMPARE(tick.line(3), QByteArray(" Press Any Key  "));
    QCOMPARE(tick.glg.value(5), QByteArray("Marion County"));
    QCOMPARE(poll(radio).line(3), QByteArray(" Press Any Key  "));
    QVERIFY(radio.showsCloseCall());
    QCOMPARE(radio.reply("KEY,E,P"), QByteArray("KEY,OK"));
    QVERIFY(!radio.showsCloseCall());
    tick = poll(radio);
    QVERIFY(tick.active());
    QCOMPARE(tick.line(3), QByteArray("SO Dispatch     "));
    for (int i = 0; i < 10; ++i)
        poll(radio);
    const Reception truth = radio.groundTruth().value(0);
    QCOMPARE(truth.system, QByteArray("Close Call"));
    QCOMPARE(truth.group, QByteArray("Close Call"));
    QCOMPARE(truth.channel, QByteArray("Close Call"));
    QCOMPARE(truth.frequency, QByteArray("01545250"));
}

void TestSimRadio::blipIsOneTickWithoutNames()
{
    SimRadio radio;
    Reception blip;
    blip.kind = Reception::Kind::Blip;
    blip.frequency = "04605250";
    blip.activeTicks = 7;
    blip.gapTicks = 3;
    radio.queueReception(blip);
    QList<bool> activity;
    for (int t = 1; t <= 8; ++t) {
        const Tick tick = poll(radio);
        activity.append(tick.active());
        if (tick.active())
            QCOMPARE(tick.glg.join(','), QByteArray("GLG,,,,,,,,1,0"));
        else
            QCOMPARE(tick.glg.join(','), QByteArray("GLG,,,,,,,,,"));
    }
    QCOMPARE(activity, QList<bool>({false, false, false, true, false, false, false, false}));
    const QList<Reception> truth = radio.groundTruth();
    QCOMPARE(truth.size(), 1);
    QCOMPARE(truth.at(0).activeTicks, 1);
    QVERIFY(!truth.at(0).expectLogged);
    QVERIFY(radio.isIdle());
}

void TestSimRadio::skipKeyCutsReceptionShort()
{
    SimRadio radio;
    Reception reception = conventional();
    reception.gapTicks = 0;
    reception.activeTicks = 50;
    radio.queueReception(reception);
    QVERIFY(poll(radio).active());
    QVERIFY(poll(radio).active());
    radio.reply("KEY,>,P");
    const Tick tick = poll(radio);
    QVERIFY(!tick.active());
    QCOMPARE(tick.glg.join(','), QByteArray("GLG,,,,,,,,,"));
    QVERIFY(!radio.isHolding());
    const QList<Reception> truth = radio.groundTruth();
    QCOMPARE(truth.size(), 1);
    QCOMPARE(truth.at(0).activeTicks, 2);
}

void TestSimRadio::heldRadioWaitsForItsFrequency()
{
    SimRadio radio;
    Reception reception = conventional();
    reception.gapTicks = 0;
    radio.queueReception(reception);
    radio.reply("QSH,04605250,0,FM,0,.,.,.,.,.");
    for (int i = 0; i < 10; ++i)
        QVERIFY(!poll(radio).active());
    QCOMPARE(radio.pendingCount(), 1);
    radio.reply("QSH,01545250,0,NFM,0,.,.,.,.,.");
    const Tick tick = poll(radio);
    QVERIFY(tick.active());
    QCOMPARE(tick.line(1).mid(1, 4), holdBytes);
    QCOMPARE(radio.pendingCount(), 0);
}

void TestSimRadio::quickSearchPlaysThereAndSkipEndsIt()
{
    SimRadio radio;
    QCOMPARE(radio.reply("QSH,04605250,0,FM,0,.,.,.,.,."), QByteArray("QSH,OK"));
    Reception reception = conventional();
    reception.gapTicks = 0;
    reception.activeTicks = 50;
    radio.queueReception(reception, false);
    QVERIFY(radio.isHolding());
    QVERIFY(!poll(radio).active());
    QCOMPARE(radio.reply("QSH,01545250,0,NFM,0,.,.,.,.,."), QByteArray("QSH,OK"));
    Tick tick = poll(radio);
    QVERIFY(tick.active());
    QCOMPARE(tick.win.at(2), QByteArray("01545250"));
    QCOMPARE(tick.line(2), QByteArray("Marion County   "));
    poll(radio);
    radio.reply("KEY,>,P");
    tick = poll(radio);
    QVERIFY(!tick.active());
    QVERIFY(tick.win.at(2) != QByteArray("01545250"));
    const QList<Reception> truth = radio.groundTruth();
    QCOMPARE(truth.size(), 1);
    QCOMPARE(truth.at(0).activeTicks, 2);
}

void TestSimRadio::displayLines_data()
{
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("pad") << fitLine("Salem") << QByteArray("Salem           ");
    QTest::newRow("cut") << fitLine("0123456789abcdefXYZ") << QByteArray("0123456789abcdef");
    QTest::newRow("FM") << modulationBadge("FM") << QByteArray("\x9b\x9c\x9a");
    QTest::newRow("NFM") << modulationBadge("NFM") << QByteArray("\x9d\x9e\x9c\x9a");
    QTest::newRow("AM") << modulationBadge("AM") << QByteArray("\x98\x99\x9a");
    QTest::newRow("WFM") << modulationBadge("WFM") << QByteArray("\x9f\xa0\x9c\x9a");
    QTest::newRow("AUTO") << modulationBadge("AUTO") << QByteArray("\x9b\x9c\x9a");
    QTest::newRow("signal 0") << signalPair(0) << QByteArray("  ");
    QTest::newRow("signal 1") << signalPair(1) << QByteArray("\xa6 ");
    QTest::newRow("signal 2") << signalPair(2) << QByteArray("\xa7 ");
    QTest::newRow("signal 3") << signalPair(3) << QByteArray("\xa8\xa9");
    QTest::newRow("signal 4") << signalPair(4) << QByteArray("\xaa\xab");
    QTest::newRow("signal 5") << signalPair(5) << QByteArray("\xac\xad");
    QTest::newRow("vhf") << frequencyText("01545250") << QByteArray("154.5250");
    QTest::newRow("800") << frequencyText("08515625") << QByteArray("851.5625");
    QTest::newRow("1240") << frequencyText("12400000") << QByteArray("1240.0000");
    QTest::newRow("not digits") << frequencyText("1234") << QByteArray("1234");
    QTest::newRow("p25 line") << modulationLine("NFM", "12400000", true)
                              << QByteArray("\x9d\x9e\x9c\x9a"
                                            "1240.0000P25");
    QTest::newRow("scan up") << scanningLine("PD Dispatch", true)
                             << QByteArray("PD Dispatch   \x81 ");
    QTest::newRow("scan down") << scanningLine("A Long Channel Name", false)
                               << QByteArray("A Long Channe \x82 ");
    StatusIcons all;
    all.function = all.hold = all.lockedOut = all.keyLock = all.priority = true;
    all.signal = 5;
    QTest::newRow("all icons") << statusLine(all)
                               << QByteArray("\x8b\x8d\x8e\x8f\x90\x95\x96\x97\x85\x86\xac\xad"
                                             " \xa1\xa2 ");
    QTest::newRow("no icons") << statusLine({}) << QByteArray(16, ' ');
}

void TestSimRadio::displayLines()
{
    QFETCH(QByteArray, actual);
    QFETCH(QByteArray, expected);
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestSimRadio)
#include "tst_simradio.moc"
