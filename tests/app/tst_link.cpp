// The serial line as the window uses it: opening, failing to open, commands
// on the wire, and the radio going away while the poll runs.
#include "support/radiofixture.h"
#include "support/scriptedpty.h"

#include "log/widgets/hitlogview.h"
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <QFile>
#include <QLineEdit>

#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

class TestLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openErrorsNameTheDevice_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("missing") << int(QSerialPort::DeviceNotFoundError) << "no such device";
        QTest::newRow("permission") << int(QSerialPort::PermissionError) << "dialout";
        QTest::newRow("other") << int(QSerialPort::UnknownError) << "odd failure";
    }
    void openErrorsNameTheDevice()
    {
        QFETCH(int, error);
        QFETCH(QString, mentions);
        const QString text = RadioPort::openErrorText(QStringLiteral("/dev/ttyUSB3"),
                                                      QSerialPort::SerialPortError(error),
                                                      QStringLiteral("odd failure"));
        QVERIFY2(text.contains(QStringLiteral("/dev/ttyUSB3")), qPrintable(text));
        QVERIFY2(text.contains(mentions), qPrintable(text));
    }

    void openFailureLeavesTheProgramStoppedAndUsable()
    {
        RadioFixture f;
        const QString missing = QStringLiteral("/nonexistent/ttyUSB9");
        auto form = f.makeForm({}, {missing});
        auto *combo1 = child<QComboBox>(form.get(), "Combo1");
        auto *combo2 = child<QComboBox>(form.get(), "Combo2");
        auto *run = child<QPushButton>(form.get(), "Command2");
        combo1->setCurrentIndex(1);
        combo2->setCurrentIndex(4);
        QTest::mouseClick(run, Qt::LeftButton);
        QCOMPARE(run->text(), QStringLiteral("Run"));
        QVERIFY(run->isEnabled());
        QVERIFY(combo1->isEnabled());
        QVERIFY(combo2->isEnabled());
        QVERIFY(!form->port().isOpen());
        QVERIFY(!form->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages.first().contains(missing));
        QVERIFY(!QFile::exists(f.dataDir() + QStringLiteral("/com_settings.txt")));

        combo1->setCurrentIndex(0);
        QTest::mouseClick(run, Qt::LeftButton);
        QCOMPARE(run->text(), QStringLiteral("Stop"));
        QTRY_VERIFY(f.radio().rawReceived().contains("STS\rGLG\rWIN\r"));
    }

    void commandsLeaveInOrderAsCrTerminatedLines()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 60000));
        auto form = f.makeForm();
        QVERIFY(form->port().isOpen());
        form->SendCommand("KEY,F,H");
        form->SendCommand("KEY,1,P");
        QTRY_COMPARE(f.radio().rawReceived(), QByteArray("KEY,F,H\rKEY,1,P\r"));
    }

    void reopeningWhileOpenClosesFirst()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 60000));
        auto form = f.makeForm();
        QVERIFY(form->OpenRadioPort());
        QVERIFY(form->OpenRadioPort());
        QVERIFY(form->port().isOpen());
        form->SendCommand("MDL");
        QTRY_COMPARE(f.radio().rawReceived(), QByteArray("MDL\r"));
    }

    void writesToAClosedPortAreIgnored()
    {
        RadioFixture f;
        auto form = f.makeForm();
        QVERIFY(!form->port().isOpen());
        form->runKeyOperation(QStringLiteral("key_hold"));
        form->SendCommand("KEY,S,P");
        form->PollRadio();
        QTest::qWait(50);
        QVERIFY(f.radio().rawReceived().isEmpty());
        QCOMPARE(form->port().state(), RadioPort::State::Closed);
    }

    void thePortReportsAnUnplugOnce()
    {
        PtyRadio radio;
        QVERIFY(radio.start());
        RadioPort port;
        QSignalSpy lost(&port, &RadioPort::lost);
        QVERIFY(port.OpenRadioPort(radio.slavePath(), 115200));
        port.SendCommand("MDL");
        QTRY_COMPARE(port.bytesWaiting(), qint64(strlen("MDL,BCD396T\r")));
        radio.unplug();
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(lost.first().first().toString().contains(radio.slavePath()));
        QCOMPARE(port.state(), RadioPort::State::Lost);
        QTest::qWait(200);
        QCOMPARE(lost.size(), 1);
        port.SendCommand("MDL");
        QCOMPARE(port.snapshotRead(), QByteArray());
    }

    // A held reply set waits in the device without a word, yet the next
    // read takes all of it, and a command sent meanwhile (a key) is heard
    // as its reply comes.
    void heldRepliesAreReadWholeAndCommandsStillHeard()
    {
        ScriptedPty far;
        RadioPort port;
        QSignalSpy arrived(&port, &RadioPort::bytesArrived);
        QVERIFY(port.OpenRadioPort(far.slavePath(), 115200));
        port.SendCommands({QByteArrayLiteral("STS"), QByteArrayLiteral("GLG")});
        port.holdReplies();
        far.write("STS,1\r");
        far.write("GLG,2\r");
        QTest::qWait(100);
        QCOMPARE(arrived.size(), 0);
        QCOMPARE(port.bytesWaiting(), qint64(12));
        QCOMPARE(arrived.size(), 1);
        QCOMPARE(port.snapshotRead(), QByteArray("STS,1\rGLG,2\r"));

        port.holdReplies();
        far.write("STS,3\r");
        QTest::qWait(100);
        QCOMPARE(arrived.size(), 1);
        port.SendCommand("KEY,S,P");
        far.write("KEY,OK\r");
        // Heard with no read asked for: the command watches the device again.
        QTRY_VERIFY(arrived.size() > 1);
        QByteArray heard;
        QTRY_VERIFY((heard += port.drainRead()).endsWith("KEY,OK\r"));
        QCOMPARE(heard, QByteArray("STS,3\rKEY,OK\r"));
    }

    // Unplugged and plugged back in (the same link finds the radio on a new
    // line): told once, and running again by itself.
    void unplugIsReportedOnceAndTheRadioIsReopened()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        auto form = f.makeForm();
        auto *run = child<QPushButton>(form.get(), "Command2");
        auto *debug = child<QLabel>(form.get(), "debug_box");
        QTRY_VERIFY(debug->text().startsWith(QStringLiteral("17 - STS,")));

        f.radio().unplug();
        QTRY_COMPARE(run->text(), QStringLiteral("Run"));
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.first().contains(f.portLink()), qPrintable(f.messages.first()));
        QVERIFY(!form->port().isOpen());
        QVERIFY(!form->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
        QVERIFY(child<QComboBox>(form.get(), "Combo1")->isEnabled());

        QVERIFY(f.plugBackIn());
        debug->clear();
        QTRY_COMPARE_WITH_TIMEOUT(run->text(), QStringLiteral("Stop"), 10000);
        QCOMPARE(form->port().state(), RadioPort::State::Open);
        QVERIFY(child<QLineEdit>(form.get(), "Text3")
                    ->text()
                    .startsWith(QStringLiteral("Radio found")));
        QTRY_VERIFY(debug->text().startsWith(QStringLiteral("17 - STS,")));
        QCOMPARE(f.messages.size(), 1);

        // Lost again: told again, once. While that message is open the radio
        // comes back and goes once more, which adds no message on top.
        const auto backAndHeard = [&] {
            QVERIFY(f.plugBackIn());
            debug->clear();
            QTRY_COMPARE_WITH_TIMEOUT(run->text(), QStringLiteral("Stop"), 10000);
            QTRY_VERIFY(debug->text().startsWith(QStringLiteral("17 - STS,")));
        };
        bool flapped = false;
        f.whileMessageOpen = [&] {
            if (std::exchange(flapped, true))
                return;
            backAndHeard();
            f.radio().unplug();
            QTRY_COMPARE(run->text(), QStringLiteral("Run"));
        };
        f.radio().unplug();
        QTRY_VERIFY(flapped && run->text() == QStringLiteral("Run"));
        QCOMPARE(f.messages.size(), 2);
        backAndHeard();

        // The user's Stop holds: nothing watches for the radio any more.
        QTest::mouseClick(run, Qt::LeftButton);
        QCOMPARE(run->text(), QStringLiteral("Run"));
        QCOMPARE(child<QLineEdit>(form.get(), "Text3")->text(), QStringLiteral("Stopped"));
        QVERIFY(child<QLabel>(form.get(), "Text1")->text().startsWith(QStringLiteral("Stopped")));
        QVERIFY(!form->findChild<QTimer *>(QStringLiteral("deviceWatch"))->isActive());
    }

    // A radio switched off in the middle of a run: no error on the line,
    // only silence, which the status line reports until it answers again.
    void aRadioThatStopsAnsweringIsReported()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        auto form = f.makeForm();
        auto *status = child<QLineEdit>(form.get(), "Text3");
        QTRY_VERIFY(child<QLabel>(form.get(), "debug_box")->text().startsWith("17 - STS,"));

        f.radio().setFault(PtyRadio::Fault::Silent);
        QTRY_VERIFY(status->text().startsWith(QStringLiteral("No answer")));
        QVERIFY(status->text().contains(f.portLink()));
        f.radio().setFault(PtyRadio::Fault::None);
        QTRY_VERIFY(!status->text().startsWith(QStringLiteral("No answer")));
        QCOMPARE(f.messages.size(), 0);
    }

    // The kernel hangs the line up (as when a USB adapter is pulled out):
    // reads then find end of file. With a poll once a minute nothing is
    // written, so only the read side can notice.
    void hangUpIsReportedOnceAndTheLineReopened()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 60000));
        auto form = f.makeForm();
        auto *run = child<QPushButton>(form.get(), "Command2");
        QVERIFY(form->port().isOpen());

        const int fd = ::open(QFile::encodeName(f.radio().slavePath()).constData(),
                              O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        const bool hungUp = ::ioctl(fd, TIOCVHANGUP) == 0;
        ::close(fd);
        if (!hungUp)
            QSKIP("no right to hang up a terminal here");

        QTRY_COMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.first().contains(QLatin1String("hung up")),
                 qPrintable(f.messages.first()));
        // Closed at once: no port left open to report its read error again
        // and again.
        QVERIFY(!form->port().isOpen());
        QCOMPARE(run->text(), QStringLiteral("Run"));

        // The device is still there: it is opened again and answers.
        QTRY_COMPARE_WITH_TIMEOUT(run->text(), QStringLiteral("Stop"), 10000);
        f.radio().clearReceived();
        form->SendCommand("MDL");
        QTRY_VERIFY(f.radio().rawReceived().contains("MDL\r"));
        QCOMPARE(f.messages.size(), 1);
    }
};

QTEST_MAIN(TestLink)
#include "tst_link.moc"
