// The poll on the wire: what each tick writes, and what it does with every
// shape of reply it can find waiting. The far end is played byte by byte.
#include "support/radiofixture.h"
#include "support/scriptedpty.h"

#include "poll/radiotext.h"

#include "log/widgets/hitlogview.h"
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QByteArray line16(const char *text)
{
    QByteArray line(text);
    line = line.leftJustified(16, ' ', true);
    return line;
}

// A six-line screen reply; activity 0 while a transmission is heard.
QByteArray sts(const char *line2, const char *line3, int activity)
{
    QByteArray reply = "STS,011000,";
    reply += line16("\x8d\x8e\x8f\x90    \xa8\xa9") + ",,";
    reply += line16(line2) + ",,";
    reply += line16(line3) + ",,";
    reply += line16(" 453.6000 DCS134") + ",,";
    reply += line16("S0:-2*4***-9*") + ",,";
    reply += line16("GRP----------") + ",,";
    reply += activity == 0 ? "1,0,0,0" : "0,1,0,0";
    return reply;
}

QByteArray glg(const char *system, const char *group, const char *channel)
{
    return QByteArray("GLG,04536000,NFM,0,134,") + system + ',' + group + ',' + channel + ",1,0";
}

const QByteArray win = "WIN,86,04536000";

QByteArray set(const QByteArray &s, const QByteArray &g, const QByteArray &w = win)
{
    return s + '\r' + g + '\r' + w + '\r';
}

const QByteArray menu =
    "STS,1111, -- M E N U --  ,________________,Program System  ,****************,"
    "Srch/CloCall Opt,,Settings        ,,0,1,0,0";

} // namespace

class TestPoll : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<RadioFixture> m_fixture;
    std::unique_ptr<ScriptedPty> m_pty;
    std::unique_ptr<Form1> m_form;

    // Puts the bytes where the next tick finds them, then runs the tick.
    void tickWith(const QByteArray &waiting)
    {
        const qint64 before = m_form->port().bytesWaiting();
        m_pty->write(waiting);
        QTRY_VERIFY(m_form->port().bytesWaiting() >= before + waiting.size());
        m_form->PollRadio();
    }
    QString debugText() const { return child<QLabel>(m_form.get(), "debug_box")->text(); }
    QString text1() const { return child<QLabel>(m_form.get(), "Text1")->text(); }

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<RadioFixture>();
        m_pty = std::make_unique<ScriptedPty>();
        QVERIFY(m_pty->isOpen());
        // Port 1 is the scripted far end; the poll timer never fires on its
        // own, the test runs each tick.
        m_fixture->writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 60000));
        m_form = m_fixture->makeForm({m_pty->slavePath()});
        QVERIFY(m_form->port().isOpen());
    }
    void cleanup()
    {
        m_form.reset();
        m_pty.reset();
        m_fixture.reset();
    }

    // No radio on the port, or the wrong speed: after two seconds of asking
    // the status line says where nothing answers; the first reply clears it.
    void aRadioThatSaysNothingIsNamedInTheStatus()
    {
        auto *status = child<QLineEdit>(m_form.get(), "Text3");
        m_form->PollRadio();
        QTRY_VERIFY(status->text().startsWith(QStringLiteral("No answer")));
        for (const QString &part : {QStringLiteral("COM 1"), m_pty->slavePath(),
                                    QStringLiteral("115200"), QStringLiteral("cable")})
            QVERIFY2(status->text().contains(part), qPrintable(status->text()));
        QVERIFY(text1().startsWith(QStringLiteral("No Answer")));

        m_pty->write(set(sts("Bethel", "Bethel PD 1", 1), glg("", "", "")));
        QTRY_VERIFY(!status->text().startsWith(QStringLiteral("No answer")));
        m_form->PollRadio();
        QVERIFY(text1().startsWith(QStringLiteral("Bethel")));
    }

    void everyTickAsksForScreenReceptionAndFrequency()
    {
        for (int i = 0; i < 3; ++i)
            m_form->PollRadio();
        QByteArray written;
        QTRY_COMPARE((written += m_pty->takeWritten()), QByteArray("STS\rGLG\rWIN\r").repeated(3));
        // Nothing was waiting: nothing changed.
        QVERIFY(debugText().isEmpty());
    }

    void aCompleteReplySetIsProcessed()
    {
        const QByteArray waiting = set(sts("Bethel", "Bethel PD 1", 1), glg("", "", ""));
        tickWith(waiting);
        // The box holds the reply text exactly as read.
        QCOMPARE(debugText(), QStringLiteral("17 - ") + radioText(waiting));
        QCOMPARE(text1(), QStringLiteral("Bethel          \nBethel PD 1     \n"));
        QCOMPARE(m_form->stsFields().size(), 18);
        QCOMPARE(m_form->port().bytesWaiting(), 0);
    }

    // Replies identical to the last tick's are not decoded again, yet the
    // screen and the diagnostics show them even when something else wrote
    // there in between, and a changed reply shows at once.
    void repeatedRepliesStillShow()
    {
        const QByteArray first = set(sts("Bethel", "Bethel PD 1", 1), glg("", "", ""));
        const QByteArray second = set(sts("Bethel", "Bethel FD 2", 1), glg("", "", ""));
        tickWith(first);
        child<QLabel>(m_form.get(), "Text1")->setText(QStringLiteral("No Answer"));
        child<QLabel>(m_form.get(), "debug_box")->clear();
        tickWith(first);
        QCOMPARE(text1(), QStringLiteral("Bethel          \nBethel PD 1     \n"));
        QCOMPARE(debugText(), QStringLiteral("17 - ") + radioText(first));
        tickWith(second);
        QCOMPARE(text1(), QStringLiteral("Bethel          \nBethel FD 2     \n"));
        QCOMPARE(debugText(), QStringLiteral("17 - ") + radioText(second));
    }

    void oneWaitingByteIsLeftForTheNextTick()
    {
        tickWith("S");
        QVERIFY(debugText().isEmpty());
        QCOMPARE(m_form->port().bytesWaiting(), 1);
        // It becomes the start of the next reply set.
        const QByteArray rest = set(sts("Bethel", "Bethel PD 1", 1), glg("", "", "")).mid(1);
        tickWith(rest);
        QVERIFY(debugText().startsWith(QStringLiteral("17 - STS,011000,")));
    }

    void malformedSetsAreDropped_data()
    {
        QTest::addColumn<QByteArray>("waiting");
        const QByteArray good = set(sts("Other", "Screen", 1), glg("", "", ""));
        QTest::newRow("two reply sets") << good + good;
        QTest::newRow("stray KEY,OK") << QByteArray("KEY,OK\r") + good;
        QTest::newRow("partial") << good.left(good.size() - 10);
        QTest::newRow("garbage") << QByteArray(5000, '\x7f');
        QTest::newRow("no CR at all") << QByteArray("STS,011000");
        QTest::newRow("LF inside a reply")
            << set(sts("Other", "Screen", 1), glg("", "", ""), "WIN,86,0453\n6000");
    }
    void malformedSetsAreDropped()
    {
        QFETCH(QByteArray, waiting);
        const QByteArray first = set(sts("Bethel", "Bethel PD 1", 1), glg("", "", ""));
        tickWith(first);
        const QString debugBefore = debugText();
        const QString textBefore = text1();

        tickWith(waiting);
        QCOMPARE(debugText(), debugBefore);
        QCOMPARE(text1(), textBefore);
        // Whatever was read is gone; the next set is processed normally.
        QCOMPARE(m_form->port().bytesWaiting(), 0);
        tickWith(set(sts("Next", "Set", 1), glg("", "", "")));
        QCOMPARE(text1(), QStringLiteral("Next            \nSet             \n"));
    }

    void aFloodIsReadAndForgotten()
    {
        // Half a megabyte of junk, as fast as the line takes it, with the
        // poll running: every tick reads what is there and drops it, and the
        // line never holds more than its bound.
        const QByteArray junk(4096, 'x');
        qsizetype sent = 0;
        while (sent < 512 * 1024) {
            sent += m_pty->writeSome(junk);
            QCoreApplication::processEvents();
            QVERIFY(m_form->port().bytesWaiting() <= RadioPort::readBufferBytes);
            m_form->PollRadio();
        }
        // Let the last of it arrive and be dropped.
        for (int i = 0; i < 30; ++i) {
            QTest::qWait(10);
            m_form->PollRadio();
        }
        QVERIFY(m_form->port().bytesWaiting() <= 1);
        QVERIFY(debugText().isEmpty());
        m_pty->takeWritten();
        tickWith(set(sts("After", "Flood", 1), glg("", "", "")));
        QCOMPARE(text1(), QStringLiteral("After           \nFlood           \n"));
        QVERIFY(debugText().startsWith(QStringLiteral("17 - ")));
    }

    void aNineFieldReceptionReplyHoldsTheHit()
    {
        const QByteArray names = glg("Bethel", "Police", "Bethel PD 1");
        tickWith(set(sts("Bethel", "Bethel PD 1", 0), names));
        QVERIFY(m_form->hits().state().hit_active);
        tickWith(set(sts("Bethel", "Bethel PD 1", 0), names));
        QCOMPARE(m_form->hits().state().hit_system, QStringLiteral("Bethel"));

        // The transmission has ended, but the reception reply has nine fields:
        // the screen follows, the hit neither advances nor ends.
        tickWith(
            set(sts("Scanning", "Idle", 1), "GLG,04536000,NFM,0,134,Bethel,Police,Bethel PD 1,1"));
        QCOMPARE(text1(), QStringLiteral("Scanning        \nIdle            \n"));
        QVERIFY(m_form->hits().state().hit_active);
        QVERIFY(m_form->hitLog().text().isEmpty());

        tickWith(set(sts("Scanning", "Idle", 1), names));
        QVERIFY(!m_form->hits().state().hit_active);
        QVERIFY(m_form->hitLog().text().startsWith(
            QStringLiteral("Bethel / Police\tBethel PD 1\t 453.6000\tD043\t")));
    }

    void aFourLineScreenShowsOnlyItsText()
    {
        tickWith(set(sts("Bethel", "Bethel PD 1", 1), glg("", "", "")));
        auto *icons1 = child<QLabel>(m_form.get(), "IconsSet1");
        auto *icons2 = child<QLabel>(m_form.get(), "IconsSet2");
        auto *moddisp = child<QLabel>(m_form.get(), "moddisp");
        QVERIFY(!icons1->isHidden());
        const QString sigBefore = child<QLabel>(m_form.get(), "sigdisplay")->text();

        tickWith(set(menu, glg("", "", "")));
        QCOMPARE(text1(),
                 QStringLiteral(
                     " -- M E N U --  \n*Program System  \nSrch/CloCall Opt\nSettings        \n"));
        QVERIFY(icons1->isHidden());
        QVERIFY(icons2->isHidden());
        QVERIFY(moddisp->isHidden());
        QCOMPARE(child<QLabel>(m_form.get(), "sigdisplay")->text(), sigBefore);
        QCOMPARE(debugText().left(5), QStringLiteral("13 - "));

        tickWith(set(sts("Back", "Again", 1), glg("", "", "")));
        QVERIFY(!icons1->isHidden());
        QVERIFY(!moddisp->isHidden());
    }

    void otherShapesOfScreenAreIgnored()
    {
        tickWith(set(sts("Bethel", "Bethel PD 1", 1), glg("", "", "")));
        tickWith(set("STS,011000,a,b,c", glg("", "", "")));
        QCOMPARE(text1(), QStringLiteral("Bethel          \nBethel PD 1     \n"));
        QCOMPARE(debugText().left(4), QStringLiteral("4 - "));
    }
};

class TestPollWithRadio : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theFirstTickFindsNothingAndTheSecondShowsTheScreen()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 60000));
        auto form = f.makeForm();
        auto *debug = child<QLabel>(form.get(), "debug_box");
        form->PollRadio();
        QVERIFY(debug->text().isEmpty());
        QTRY_COMPARE(f.radio().received().size(), 3);
        QTRY_VERIFY(form->port().bytesWaiting() > 100);
        form->PollRadio();
        QVERIFY(debug->text().startsWith(QStringLiteral("17 - STS,011000,")));
    }

    void theTimerPollsTenTimesASecondInQuerySets()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 100));
        auto form = f.makeForm();
        QTRY_VERIFY_WITH_TIMEOUT(f.radio().received().size() >= 30, 5000);
        const QList<PtyRadio::Received> received = f.radio().received();
        for (int i = 0; i + 2 < received.size(); i += 3) {
            QCOMPARE(received.at(i).line, QByteArray("STS"));
            QCOMPARE(received.at(i + 1).line, QByteArray("GLG"));
            QCOMPARE(received.at(i + 2).line, QByteArray("WIN"));
        }
        // Ten sets take about a second; far fewer or more means a wrong timer.
        const qint64 span = received.at(27).atMs - received.at(0).atMs;
        QVERIFY2(span >= 700 && span <= 2500, qPrintable(QString::number(span)));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestPoll poll;
    TestPollWithRadio withRadio;
    return QTest::qExec(&poll, argc, argv) | QTest::qExec(&withRadio, argc, argv);
}
#include "tst_poll.moc"
