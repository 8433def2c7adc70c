// The copy of the radio's screen on a real window: the text boxes, the
// symbol words, the signal meter, the frequency box and the menu's
// four-line form, polled by hand so every look is of one known radio tick.
#include "support/radiofixture.h"

#include "poll/widgets/signalmeter.h"

#include <QLabel>
#include <QTest>

namespace {

// Polls one step at a time: each step waits until every answer the radio
// owes is in the port, then polls once, so a poll reads exactly the answers
// to the step before it and the radio moves on exactly one tick per step.
class HandPoll
{
public:
    HandPoll(RadioFixture &fixture, Form1 &form) : m_fixture(fixture), m_form(form) {}

    bool step()
    {
        PtyRadio &radio = m_fixture.radio();
        const bool settled = QTest::qWaitFor(
            [&] {
                const QByteArray sent = radio.rawSent();
                const qsizetype commands = radio.received().size();
                return !m_form.sequencer().busy() && commands >= m_commands &&
                       sent.count('\r') == commands &&
                       m_form.port().bytesWaiting() == sent.size() - m_consumed;
            },
            5000);
        if (!settled)
            return false;
        m_consumed = radio.rawSent().size();
        m_commands = radio.received().size() + 3;
        m_form.PollRadio();
        return true;
    }

    // Steps until the condition holds, at most the given number of steps.
    template <typename Condition> bool stepUntil(Condition condition, int steps = 8)
    {
        for (int i = 0; i < steps; ++i) {
            if (!step())
                return false;
            if (condition())
                return true;
        }
        return false;
    }

private:
    RadioFixture &m_fixture;
    Form1 &m_form;
    qsizetype m_consumed = 0;
    qsizetype m_commands = 0;
};

QString padded(const char *text)
{
    return QString::fromLatin1(text).leftJustified(16, u' ', true);
}

QString labelText(Form1 *form, const char *name)
{
    return child<QLabel>(form, name)->text();
}

int signalLevel(Form1 *form)
{
    return child<SignalMeter>(form, "sigpic")->level();
}

Reception heldReception(Reception::Kind kind, int signal)
{
    Reception reception;
    reception.kind = kind;
    reception.system = "Lake County";
    reception.group = "EMS";
    reception.channel = "Med 4";
    reception.frequency = "04605250";
    reception.tone = kind == Reception::Kind::P25 ? "0" : "67";
    reception.modulation = "FM";
    reception.signal = signal;
    reception.activeTicks = 4;
    reception.gapTicks = 0;
    return reception;
}

} // namespace

class TestScreenForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<RadioFixture>();
        // Running at once, with no automatic tick in the time of a test.
        m_fixture->writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 60000));
        m_form = m_fixture->makeForm();
        QVERIFY(m_form->isRunning());
        m_poll = std::make_unique<HandPoll>(*m_fixture, *m_form);
    }
    void cleanup()
    {
        m_poll.reset();
        m_form.reset();
        m_fixture.reset();
    }

    void heldIdleChannel()
    {
        Form1 *form = m_form.get();
        QCOMPARE(form->windowTitle(), QStringLiteral("Tollvane"));
        QCOMPARE(labelText(form, "Text1"), QStringLiteral("Choose Settings\nThen Hit Run\n"));
        // A new radio holds on its first channel: 155.4750 NFM, nothing heard.
        QVERIFY(m_poll->step());
        QVERIFY(m_poll->step());
        QCOMPARE(labelText(form, "Text1"),
                 padded("Marion County") + u'\n' + padded("SO Dispatch") + u'\n');
        // The hold mark (four symbol bytes) becomes " HOLD"; with no signal
        // symbol the grown line is cut back to its first 12 and last 4.
        QCOMPARE(labelText(form, "sigdisplay"), QStringLiteral("  HOLD          "));
        QCOMPARE(signalLevel(form), 0);
        QCOMPARE(labelText(form, "moddisp"), QStringLiteral("NFM 155.4750    "));
        QCOMPARE(labelText(form, "IconsSet1"), QStringLiteral("S0:-2*4***-9*   "));
        QCOMPARE(labelText(form, "IconsSet2"), QStringLiteral("GRP----------   "));
        QCOMPARE(labelText(form, "freq"), QStringLiteral(" 155.4750"));
        QCOMPARE(labelText(form, "floating_taskbar"),
                 QStringLiteral(" Marion County/") + padded("SO Dispatch"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Tollvane"));
        QVERIFY(!form->hits().state().hit_active);

        // Minimised, the title is the one-line summary without its leading
        // space.
        form->showMinimized();
        QVERIFY(m_poll->step());
        QCOMPARE(form->windowTitle(), QStringLiteral("Marion County/") + padded("SO Dispatch"));
        form->showNormal();
        QVERIFY(m_poll->step());
        QCOMPARE(form->windowTitle(), QStringLiteral("Tollvane"));
    }

    void priorityMarkWithoutSignalIsCutBack()
    {
        Form1 *form = m_form.get();
        form->runKeyOperation(QStringLiteral("key_pri"));
        QTRY_VERIFY(m_fixture->radio().received().size() >= 3);
        QCOMPARE(m_fixture->radio().received().last().line, QByteArray("KEY,F,R"));
        QVERIFY(m_poll->stepUntil(
            [form] { return labelText(form, "sigdisplay").contains(QLatin1String("RI")); }));
        // " HOLD" and " PRI " make 20 characters of 16: the first 12 and the
        // last 4 stay, so the priority word loses its front.
        QCOMPARE(labelText(form, "sigdisplay"), QStringLiteral("  HOLD      RI  "));
        QCOMPARE(signalLevel(form), 0);
    }

    void scanningArrows()
    {
        Form1 *form = m_form.get();
        // Nothing to play: the radio scans its channels upwards.
        m_fixture->radio().radio().setScenario(Scenario());
        QVERIFY(m_poll->stepUntil(
            [form] { return labelText(form, "IconsSet1").endsWith(QLatin1String(" Up")); }));
        QList<QByteArray> sts = form->stsFields();
        QVERIFY(sts.at(6).endsWith(" \x81 "));
        QCOMPARE(labelText(form, "Text1"), QString::fromLatin1(sts.at(4)) + u'\n' +
                                               QString::fromLatin1(sts.at(6).chopped(2)) +
                                               QStringLiteral(" \n"));
        QCOMPARE(labelText(form, "IconsSet1"), QStringLiteral("S0:-2*4***-9*    Up"));
        QCOMPARE(labelText(form, "floating_taskbar"),
                 u' ' + QString::fromLatin1(sts.at(4).trimmed()) + u'/' +
                     QString::fromLatin1(sts.at(6).chopped(2)) + u' ');
        QVERIFY(!labelText(form, "Text1").contains(QChar(0x81)));

        // Scanning down: the down arrow goes from the screen and, with the
        // spaces around it, from the one-line summary.
        form->runKeyOperation(QStringLiteral("key_left"));
        QTRY_COMPARE(m_fixture->radio().received().last().line, QByteArray("KEY,<,P"));
        QVERIFY(m_poll->stepUntil(
            [form] { return labelText(form, "IconsSet1").endsWith(QLatin1String(" Dn")); }));
        sts = form->stsFields();
        QVERIFY(sts.at(6).endsWith(" \x82 "));
        QCOMPARE(labelText(form, "Text1"), QString::fromLatin1(sts.at(4)) + u'\n' +
                                               QString::fromLatin1(sts.at(6).chopped(2)) +
                                               QStringLiteral(" \n"));
        QCOMPARE(labelText(form, "IconsSet1"), QStringLiteral("S0:-2*4***-9*    Dn"));
        QCOMPARE(labelText(form, "floating_taskbar"),
                 u' ' + QString::fromLatin1(sts.at(4).trimmed()) + u'/' +
                     QString::fromLatin1(sts.at(6).chopped(3)));
        QVERIFY(!labelText(form, "Text1").contains(QChar(0x82)));
    }

    void receiving_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("moddisp");
        QTest::addColumn<QString>("tone");
        for (int signal = 1; signal <= 5; ++signal) {
            QTest::addRow("conventional, %d bars", signal)
                << int(Reception::Kind::Conventional) << signal
                << QStringLiteral("FM 460.5250     ") << QStringLiteral("C74.4");
        }
        QTest::newRow("P25") << int(Reception::Kind::P25) << 2 << QStringLiteral("FM 460.5250  P25")
                             << QStringLiteral("P25");
    }
    void receiving()
    {
        QFETCH(int, kind);
        QFETCH(int, signal);
        QFETCH(QString, moddisp);
        QFETCH(QString, tone);
        Form1 *form = m_form.get();
        form->runKeyOperation(QStringLiteral("key_pri"));
        QTRY_COMPARE(m_fixture->radio().received().size(), 3);
        m_fixture->radio().radio().queueReception(heldReception(Reception::Kind(kind), signal));

        QVERIFY(m_poll->stepUntil([form] { return form->hits().state().hit_active; }));
        QCOMPARE(labelText(form, "Text1"), padded("Lake County") + u'\n' + padded("Med 4") + u'\n');
        // The signal symbol is blanked out to its own width: one space for
        // one or two bars, two spaces for more; " PRI " keeps its spaces.
        QCOMPARE(labelText(form, "sigdisplay"), QString(13, u' ') + QStringLiteral(" PRI  "));
        QCOMPARE(signalLevel(form), signal);
        QCOMPARE(labelText(form, "moddisp"), moddisp);
        QCOMPARE(labelText(form, "freq"), QStringLiteral(" 460.5250"));
        QVERIFY(!child<QLabel>(form, "moddisp")->isHidden());

        // The tone is taken from the next poll on.
        QVERIFY(m_poll->step());
        QCOMPARE(form->hits().state().hit_tone, tone);
        QCOMPARE(signalLevel(form), signal);

        // The reception ends: the meter drops back to no signal.
        QVERIFY(m_poll->stepUntil([form] { return !form->hits().state().hit_active; }));
        QCOMPARE(signalLevel(form), 0);
        QCOMPARE(labelText(form, "sigdisplay"), QString(12, u' ') + QStringLiteral("RI  "));
        QCOMPARE(form->hitLog().lineCount(), 1);
        QVERIFY(form->hitLog().text().startsWith(QStringLiteral("Lake County / EMS\tMed 4\t")));
        QCOMPARE(form->windowTitle(), QStringLiteral("Tollvane"));
    }

    void trunkedHitShowsTalkgroup()
    {
        Form1 *form = m_form.get();
        Reception call;
        call.kind = Reception::Kind::Trunked;
        call.system = "Metro Regional";
        call.group = "Police";
        call.channel = "PD North Disp";
        call.talkgroup = "1234";
        call.frequency = "08515625";
        call.modulation = "NFM";
        call.signal = 4;
        call.activeTicks = 4;
        call.gapTicks = 0;
        m_fixture->radio().radio().queueReception(call);

        // The first active poll shows the voice frequency; the talkgroup is
        // taken from the next one on and then stands in its place.
        QVERIFY(m_poll->stepUntil([form] { return form->hits().state().hit_active; }));
        QCOMPARE(labelText(form, "freq"), QStringLiteral(" 851.5625"));
        QCOMPARE(signalLevel(form), 4);
        QVERIFY(m_poll->step());
        QCOMPARE(labelText(form, "freq"), QStringLiteral("ID: 1234"));
        QCOMPARE(labelText(form, "Text1"),
                 padded("Metro Regional") + u'\n' + padded("PD North Disp") + u'\n');
        QVERIFY(m_poll->step());
        QCOMPARE(labelText(form, "freq"), QStringLiteral("ID: 1234"));

        // After the call the box shows the frequency again.
        QVERIFY(m_poll->stepUntil([form] { return !form->hits().state().hit_active; }));
        QCOMPARE(labelText(form, "freq"), QStringLiteral(" 851.5625"));
        QVERIFY(form->hitLog().text().startsWith(
            QStringLiteral("Metro Regional / Police\tPD North Disp\t 851.5625\t1234\t")));
    }

    void aHitOnTheAirEndsWithTheLink_data()
    {
        QTest::addColumn<bool>("unplug");
        QTest::newRow("Stop") << false;
        QTest::newRow("unplugged") << true;
    }
    void aHitOnTheAirEndsWithTheLink()
    {
        QFETCH(bool, unplug);
        Form1 *form = m_form.get();
        Reception reception = heldReception(Reception::Kind::Conventional, 3);
        reception.activeTicks = 1000;
        m_fixture->radio().radio().queueReception(reception);
        QVERIFY(m_poll->stepUntil([form] { return form->hits().state().hit_active; }));
        QVERIFY(m_poll->step());

        const QDateTime stopped = m_fixture->clock.now().addSecs(3600);
        m_fixture->clock.set(stopped);
        if (unplug)
            m_fixture->radio().unplug();
        else
            form->RunStop();
        QTRY_VERIFY(!form->isRunning());
        QVERIFY(!form->hits().state().hit_active);
        QCOMPARE(form->hitLog().lineCount(), 1);
        const QStringList columns = form->hitLog().text().split(u'\t');
        QCOMPARE(columns.value(1), QStringLiteral("Med 4"));
        QCOMPARE(columns.value(5), timeOfDayText(stopped.time(), QLocale()));
    }

    void menuShowsFourLines()
    {
        Form1 *form = m_form.get();
        QVERIFY(m_poll->step());
        QVERIFY(m_poll->step());
        const QString sigdisplay = labelText(form, "sigdisplay");
        const QString freq = labelText(form, "freq");
        QCOMPARE(sigdisplay, QStringLiteral("  HOLD          "));

        form->runKeyOperation(QStringLiteral("key_menu"));
        QTRY_COMPARE(m_fixture->radio().received().last().line, QByteArray("KEY,M,P"));
        QVERIFY(m_poll->stepUntil(
            [form] { return labelText(form, "Text1").startsWith(QLatin1String(" -- M E N U")); }));
        QCOMPARE(form->stsFields().size(), 14);
        QCOMPARE(labelText(form, "Text1"),
                 padded(" -- M E N U --") + u'\n' + u'*' + padded("Program System") + u'\n' +
                     padded("Srch/CloCall Opt") + u'\n' + padded("Settings") + u'\n');
        QVERIFY(child<QLabel>(form, "IconsSet1")->isHidden());
        QVERIFY(child<QLabel>(form, "IconsSet2")->isHidden());
        QVERIFY(child<QLabel>(form, "moddisp")->isHidden());
        QVERIFY(!child<QLabel>(form, "sigdisplay")->isHidden());
        QCOMPARE(labelText(form, "sigdisplay"), sigdisplay);
        // The frequency keeps its text but leaves the menu's third line free.
        QVERIFY(child<QLabel>(form, "freq")->isHidden());
        QCOMPARE(labelText(form, "freq"), freq);
        QCOMPARE(form->windowTitle(), QStringLiteral("Tollvane"));

        // The mark follows the menu's cursor.
        form->runKeyOperation(QStringLiteral("key_right"));
        QTRY_COMPARE(m_fixture->radio().received().last().line, QByteArray("KEY,>,P"));
        QVERIFY(m_poll->stepUntil(
            [form] { return labelText(form, "Text1").contains(QLatin1String("*Srch")); }));
        QCOMPARE(labelText(form, "Text1"),
                 padded(" -- M E N U --") + u'\n' + padded("Program System") + u'\n' + u'*' +
                     padded("Srch/CloCall Opt") + u'\n' + padded("Settings") + u'\n');
        QVERIFY(child<QLabel>(form, "moddisp")->isHidden());

        // Leaving the menu: the next six-line screen brings the boxes back.
        form->runKeyOperation(QStringLiteral("key_menu"));
        QTRY_COMPARE(m_fixture->radio().received().last().line, QByteArray("KEY,M,P"));
        QVERIFY(m_poll->stepUntil([form] { return form->stsFields().size() == 18; }));
        QVERIFY(!child<QLabel>(form, "IconsSet1")->isHidden());
        QVERIFY(!child<QLabel>(form, "IconsSet2")->isHidden());
        QVERIFY(!child<QLabel>(form, "moddisp")->isHidden());
        QVERIFY(!child<QLabel>(form, "freq")->isHidden());
        QCOMPARE(labelText(form, "Text1"),
                 padded("Marion County") + u'\n' + padded("SO Dispatch") + u'\n');
        QCOMPARE(labelText(form, "moddisp"), QStringLiteral("NFM 155.4750    "));
    }

private:
    std::unique_ptr<RadioFixture> m_fixture;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<HandPoll> m_poll;
};

QTEST_MAIN(TestScreenForm)
#include "tst_screen_form.moc"
