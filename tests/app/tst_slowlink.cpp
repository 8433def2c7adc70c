// A slow line: at 9600 baud a set of replies takes longer than a poll tick.
// The poll must send its next STS, GLG and WIN only once the last set is
// answered, so nothing piles up on the radio, and still log what it hears.
#include "support/radiofixture.h"

#include "poll/pollpacing.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

class TestSlowLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void speedNote_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<QString>("note");
        QTest::newRow("9600") << 9600
                              << QStringLiteral(
                                     "9600 baud carries about 4 screen updates a second");
        QTest::newRow("19200") << 19200
                               << QStringLiteral(
                                      "19200 baud carries about 8 screen updates a second");
        QTest::newRow("38400") << 38400 << QString();
        QTest::newRow("115200") << 115200 << QString();
    }
    void speedNote()
    {
        QFETCH(int, baud);
        QFETCH(QString, note);
        QCOMPARE(PollPacing::speedNote(baud), note);
    }

    void waitsForTheRepliesAt9600()
    {
        RadioFixture f;
        f.radio().setBaud(9600);
        Reception hit;
        hit.system = "Marion County";
        hit.group = "Fire";
        hit.channel = "Dispatch";
        hit.frequency = "01540700";
        hit.activeTicks = 3;
        hit.gapTicks = 3;
        f.radio().radio().queueReception(hit);
        // Port 1 at 9600 (the first speed), 100 ms poll.
        f.writeFile(QStringLiteral("com_settings.txt"), "0\r\n0\r\n100\r\n");
        auto form = f.makeForm();
        QVERIFY(form->isRunning());
        QCOMPARE(child<QLabel>(form.get(), "speed_note")->text(),
                 QStringLiteral("9600 baud carries about 4 screen updates a second"));

        // The screen follows the radio: the hit is logged.
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, 30000);
        QVERIFY(form->hitLog().text().startsWith(QStringLiteral("Marion County / Fire\tDispatch")));

        // Every set went out after the last one's replies were on the line.
        const QList<PtyRadio::Received> received = f.radio().received();
        int sets = 0;
        for (const PtyRadio::Received &command : received) {
            if (command.line != "STS")
                continue;
            ++sets;
            QVERIFY2(command.backlogUs == 0,
                     qPrintable(QStringLiteral("set %1 sent %2 us before the line was free")
                                    .arg(sets)
                                    .arg(command.backlogUs)));
        }
        QVERIFY(sets >= 6);
    }

    void everyTickSendsAt115200()
    {
        RadioFixture f;
        f.radio().setBaud(115200);
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 60000));
        auto form = f.makeForm();
        QVERIFY(form->isRunning());
        QVERIFY(child<QLabel>(form.get(), "speed_note")->text().isEmpty());
        // No reply is in yet; a fast line sends the next set all the same.
        form->PollRadio();
        form->PollRadio();
        QTRY_COMPARE(f.radio().received().size(), 6);
    }
};

QTEST_MAIN(TestSlowLink)
#include "tst_slowlink.moc"
