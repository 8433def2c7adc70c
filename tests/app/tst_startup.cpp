// Start-up, the guided port choice, Run/Stop, shutdown and the settings
// files, on a real window with the simulated radio behind port 1.
#include "support/radiofixture.h"

#include "support/smalldisk.h"

#include "app/commandline.h"
#include "app/datafolderlock.h"
#include "app/displayconnection.h"
#include "app/runninginstance.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

const QString missingA = QStringLiteral("/nonexistent/ttyUSB7");

sockaddr_un unixAddress(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                 sizeof address.sun_path - 1);
    return address;
}
const QString missingB = QStringLiteral("/nonexistent/ttyUSB8");

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartWalksThroughTheChoice()
    {
        RadioFixture f;
        auto form = f.makeForm();
        QCOMPARE(child<QTabWidget>(form.get(), "SSTab1")->currentIndex(), 3);
        QVERIFY(child<QPushButton>(form.get(), "key_clear_log")->isHidden());
        auto *text3 = child<QLineEdit>(form.get(), "Text3");
        QCOMPARE(text3->text(), QStringLiteral("Select COM Port"));
        QCOMPARE(child<QLineEdit>(form.get(), "Text4")->text(),
                 QStringLiteral("Tollvane - V1.0b2"));
        auto *combo1 = child<QComboBox>(form.get(), "Combo1");
        auto *combo2 = child<QComboBox>(form.get(), "Combo2");
        auto *run = child<QPushButton>(form.get(), "Command2");
        QVERIFY(combo1->isEnabled());
        QVERIFY(!combo2->isEnabled());
        QVERIFY(!run->isEnabled());
        QCOMPARE(run->text(), QStringLiteral("Run"));
        QCOMPARE(form->display_mode, QStringLiteral("full"));
        QCOMPARE(combo1->count(), 10);
        QCOMPARE(combo1->currentIndex(), -1);
        QVERIFY(combo1->itemText(0).startsWith(QStringLiteral("1  ")));
        QVERIFY(combo1->itemText(0).endsWith(f.portLink()));
        QCOMPARE(combo1->itemText(1), QStringLiteral("2"));
        QCOMPARE(combo2->count(), 5);
        QVERIFY(!form->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
        QCOMPARE(child<QLabel>(form.get(), "dataFolderLabel")->text(), f.dataDir());

        combo1->setCurrentIndex(0);
        QVERIFY(combo2->isEnabled());
        QCOMPARE(text3->text(), QStringLiteral("Select Port Speed"));
        QVERIFY(!run->isEnabled());
        combo2->setCurrentIndex(4);
        QCOMPARE(text3->text(), QStringLiteral("Hit Run"));
        QVERIFY(run->isEnabled());

        QTest::mouseClick(run, Qt::LeftButton);
        QCOMPARE(run->text(), QStringLiteral("Stop"));
        QVERIFY(!combo1->isEnabled());
        QVERIFY(!combo2->isEnabled());
        QVERIFY(form->port().isOpen());
        QCOMPARE(form->port().baud(), 115200);
        // The three lines, then the device that port 1 stood for.
        const QByteArray saved = "0\r\n4\r\n100\r\n\"" + f.portLink().toUtf8() + "\"\r\n";
        QCOMPARE(f.readFile(QStringLiteral("com_settings.txt")), saved);

        QTest::mouseClick(run, Qt::LeftButton);
        QCOMPARE(run->text(), QStringLiteral("Run"));
        QVERIFY(combo1->isEnabled());
        QVERIFY(!form->port().isOpen());
        QVERIFY(!form->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
        QCOMPARE(f.readFile(QStringLiteral("com_settings.txt")), saved);
    }

    void savedChoiceStartsRunning_data()
    {
        QTest::addColumn<QByteArray>("comSettings");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("interval");
        QTest::newRow("2, 1, 100") << QByteArray("2\r\n1\r\n100\r\n") << "19200" << 100;
        QTest::newRow("two lines") << QByteArray("2\r\n4\r\n") << "115200" << 100;
        QTest::newRow("interval 250") << QByteArray("2\r\n0\r\n250\r\n") << "9600" << 250;
        QTest::newRow("interval 0") << QByteArray("2\r\n2\r\n0\r\n") << "38400" << 100;
    }
    void savedChoiceStartsRunning()
    {
        QFETCH(QByteArray, comSettings);
        QFETCH(QString, speed);
        QFETCH(int, interval);
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), comSettings);
        // Port 3 is the radio here.
        auto form = f.makeForm({missingA, missingB});
        auto *combo1 = child<QComboBox>(form.get(), "Combo1");
        QCOMPARE(combo1->currentIndex(), 2);
        QVERIFY(combo1->currentText().startsWith(QStringLiteral("3  ")));
        QCOMPARE(child<QComboBox>(form.get(), "Combo2")->currentText(), speed);
        QCOMPARE(child<QPushButton>(form.get(), "Command2")->text(), QStringLiteral("Stop"));
        QVERIFY(form->port().isOpen());
        QCOMPARE(form->port().device(), f.portLink());
        QCOMPARE(form->port().baud(), speed.toInt());
        auto *timer1 = form->findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(timer1->isActive());
        QCOMPARE(timer1->interval(), interval);
        QCOMPARE(child<QTabWidget>(form.get(), "SSTab1")->currentIndex(), 0);
        QVERIFY(!child<QPushButton>(form.get(), "key_clear_log")->isHidden());
        // The radio hears the poll.
        QTRY_VERIFY(f.radio().rawReceived().startsWith("STS\rGLG\rWIN\r"));
        QVERIFY(f.messages.isEmpty());
        // Saved without its device: the status line says which one opened.
        QCOMPARE(child<QLineEdit>(form.get(), "Text3")->text(),
                 QStringLiteral("Running on COM 3  ") + f.portLink());
    }

    void savedPortThatCannotOpenStartsStopped_data()
    {
        QTest::addColumn<QByteArray>("comSettings");
        QTest::addColumn<QString>("named");
        QTest::newRow("device gone") << QByteArray("1\r\n4\r\n100\r\n") << missingA;
        QTest::newRow("no device for the number")
            << QByteArray("5\r\n4\r\n100\r\n") << "COM port 6";
        QTest::newRow("out of range index")
            << QByteArray("100\r\n4\r\n100\r\n") << "Select a COM port";
        // The saved device is unplugged and the radio's link now sits at its
        // number: it is not opened in its place.
        QTest::newRow("saved device absent, another at its number")
            << QByteArray("0\r\n4\r\n100\r\n\"/nonexistent/by-id/usb-Radio\"\r\n")
            << "/nonexistent/by-id/usb-Radio";
    }
    void savedPortThatCannotOpenStartsStopped()
    {
        QFETCH(QByteArray, comSettings);
        QFETCH(QString, named);
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), comSettings);
        auto form = f.makeForm({}, {missingA});
        auto *run = child<QPushButton>(form.get(), "Command2");
        QCOMPARE(run->text(), QStringLiteral("Run"));
        QVERIFY(run->isEnabled());
        auto *combo1 = child<QComboBox>(form.get(), "Combo1");
        QVERIFY(combo1->isEnabled());
        // The speed list opens once a port is chosen.
        QCOMPARE(child<QComboBox>(form.get(), "Combo2")->isEnabled(), combo1->currentIndex() != -1);
        QVERIFY(!form->port().isOpen());
        QTRY_COMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.first().contains(named), qPrintable(f.messages.first()));

        // The lists stay usable: port 1 is the radio.
        combo1->setCurrentIndex(-1);
        combo1->setCurrentIndex(0);
        QVERIFY(child<QComboBox>(form.get(), "Combo2")->isEnabled());
        QTest::mouseClick(run, Qt::LeftButton);
        QCOMPARE(run->text(), QStringLiteral("Stop"));
        QVERIFY(form->port().isOpen());
    }

    void shutdownWritesPgmSettingsThatTheNextStartRestores()
    {
        RadioFixture f;
        QByteArray first;
        {
            auto form = f.makeForm();
            child<QTabWidget>(form.get(), "SSTab1")->setCurrentIndex(2);
            child<QCheckBox>(form.get(), "RecordAudioCheck")->setChecked(true);
            QTest::mouseClick(child<QCheckBox>(form.get(), "LogTextCheck"), Qt::LeftButton);
            child<QComboBox>(form.get(), "direct_entry_state")->setCurrentIndex(5);
            child<QComboBox>(form.get(), "direct_entry_state2")->setCurrentIndex(55);
            form->log_folder = f.dataDir() + QStringLiteral("/\"logs\"");
            form->move(120, 40);
            form->close();
            first = f.readFile(QStringLiteral("pgm_settings.txt"));
        }
        const QList<QByteArray> lines = first.split('\n');
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.at(0), QByteArray("2\r"));
        QCOMPARE(lines.at(1), QByteArray("1\r"));
        QCOMPARE(lines.at(2), QByteArray("1\r"));
        QCOMPARE(lines.at(3), QByteArray("0\r"));
        QCOMPARE(lines.at(4), QByteArray("5\r"));
        QCOMPARE(lines.at(5), QByteArray("55\r"));
        QCOMPARE(lines.at(6), QByteArray("1\r"));
        // Left and top in twips.
        QCOMPARE(lines.at(7), QByteArray("1800\r"));
        QCOMPARE(lines.at(8), QByteArray("600\r"));
        QCOMPARE(lines.at(9), '"' + f.dataDir().toUtf8() + "/logs\"\r");
        QVERIFY(first.endsWith("\r\n"));

        auto again = f.makeForm();
        QCOMPARE(child<QTabWidget>(again.get(), "SSTab1")->currentIndex(), 2);
        QVERIFY(child<QPushButton>(again.get(), "key_clear_log")->isHidden());
        QVERIFY(child<QCheckBox>(again.get(), "RecordAudioCheck")->isChecked());
        QVERIFY(child<QCheckBox>(again.get(), "LogTextCheck")->isChecked());
        QCOMPARE(child<QComboBox>(again.get(), "direct_entry_state")->currentIndex(), 5);
        QCOMPARE(child<QComboBox>(again.get(), "direct_entry_state2")->currentIndex(), 55);
        QCOMPARE(again->pos(), QPoint(120, 40));
        // The double quotes of the folder are gone.
        QCOMPARE(again->log_folder, f.dataDir() + QStringLiteral("/logs"));
        again->close();
        QCOMPARE(f.readFile(QStringLiteral("pgm_settings.txt")), first);
    }

    void badPgmLinesKeepTheDefaults()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("pgm_settings.txt"),
                    "9\r\n7\r\n1\r\n0\r\n99\r\n-4\r\n1\r\n99999999\r\n-99999999\r\n\"\"\r\n");
        RadioFixture unsaved;
        const QPoint unsavedPos = unsaved.makeForm()->pos();
        auto form = f.makeForm();
        QCOMPARE(child<QTabWidget>(form.get(), "SSTab1")->currentIndex(), 3);
        QVERIFY(!child<QCheckBox>(form.get(), "RecordAudioCheck")->isChecked());
        QVERIFY(child<QCheckBox>(form.get(), "LogTextCheck")->isChecked());
        QCOMPARE(child<QComboBox>(form.get(), "direct_entry_state")->currentIndex(), 37);
        QCOMPARE(child<QComboBox>(form.get(), "direct_entry_state2")->currentIndex(), 37);
        QCOMPARE(child<QComboBox>(form.get(), "direct_entry_mod")->currentIndex(), 0);
        // A position off every screen is not taken: the window stays where
        // it would be without one.
        QCOMPARE(form->pos(), unsavedPos);
    }

    void aPositionOnTheScreenIsTaken()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("pgm_settings.txt"),
                    "0\r\n0\r\n0\r\n0\r\n37\r\n37\r\n1\r\n1500\r\n750\r\n\"\"\r\n");
        auto form = f.makeForm();
        QCOMPARE(form->pos(), QPoint(100, 50));
    }

    void logoClearOfTheTabStrip()
    {
        RadioFixture f;
        auto form = f.makeForm();
        const QRect logo = child<QWidget>(form.get(), "Picture1")->geometry();
        QVERIFY(!logo.intersects(child<QTabWidget>(form.get(), "SSTab1")->geometry()));
        QVERIFY(form->rect().contains(logo));
    }

    void qKeyRespectsTheRunButton()
    {
        RadioFixture f;
        auto form = f.makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto *run = child<QPushButton>(form.get(), "Command2");
        QTest::keyClick(form.get(), Qt::Key_Q);
        QCOMPARE(run->text(), QStringLiteral("Run"));
        QVERIFY(!form->port().isOpen());
        QVERIFY(f.messages.isEmpty());

        child<QComboBox>(form.get(), "Combo1")->setCurrentIndex(0);
        child<QComboBox>(form.get(), "Combo2")->setCurrentIndex(4);
        QTest::keyClick(form.get(), Qt::Key_Q, Qt::ShiftModifier);
        QCOMPARE(run->text(), QStringLiteral("Run"));
        QTest::keyClick(form.get(), Qt::Key_Q);
        QCOMPARE(run->text(), QStringLiteral("Stop"));
        QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(run->text(), QStringLiteral("Run"));
    }

    void theDemoRunsOnItsOwnRadioAtOnce()
    {
        QTemporaryDir data;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TOLLVANE_PROGRAM),
                      {QStringLiteral("--demo"), QStringLiteral("--data-dir"), data.path()});
        QVERIFY(program.waitForStarted());
        // Run on port 1 at 115200 writes the port choice; a first start too.
        const QString com = data.filePath(QStringLiteral("com_settings.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(com), 10000);
        QCOMPARE(readWholeFile(com), QByteArray("0\r\n4\r\n100\r\n"));
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);
    }

    void terminationClosesTheWindowAndSavesSettings_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("SIGTERM") << "term";
        QTest::newRow("SIGINT") << "int";
        QTest::newRow("SIGHUP") << "hup";
    }
    void terminationClosesTheWindowAndSavesSettings()
    {
        QFETCH(QString, how);
        RadioFixture f;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TOLLVANE_PROGRAM), {QStringLiteral("--data-dir"), f.dataDir(),
                                                         QStringLiteral("--port"), f.portLink()});
        QVERIFY(program.waitForStarted());
        // The program is up once it has read its settings and shows its window.
        QTest::qWait(1500);
        QVERIFY(!QFile::exists(f.dataDir() + QStringLiteral("/pgm_settings.txt")));
        if (how == QLatin1String("term"))
            program.terminate();
        else
            ::kill(program.processId(), how == QLatin1String("int") ? SIGINT : SIGHUP);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QByteArray pgm = f.readFile(QStringLiteral("pgm_settings.txt"));
        QCOMPARE(pgm.count('\n'), 10);
        QVERIFY(pgm.startsWith("3\r\n"));
    }

    // The radio's adapter is plugged in after the program started: the
    // opened list shows it, and the saved choice opens it by itself.
    void deviceThatAppearsAfterStart()
    {
        RadioFixture f;
        PtyRadio late;
        QVERIFY(late.start());
        const QString lateLink = f.dataDir() + QStringLiteral("/usb-radio-late");
        f.writeFile(QStringLiteral("com_settings.txt"),
                    "1\r\n4\r\n100\r\n\"" + lateLink.toUtf8() + "\"\r\n");
        auto form = f.makeForm();
        auto *run = child<QPushButton>(form.get(), "Command2");
        auto *combo1 = child<QComboBox>(form.get(), "Combo1");
        QCOMPARE(run->text(), QStringLiteral("Run"));
        QTRY_COMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.first().contains(lateLink), qPrintable(f.messages.first()));
        QCOMPARE(combo1->itemText(1), QStringLiteral("2"));

        f.systemPorts = {lateLink};
        combo1->showPopup();
        QCOMPARE(combo1->itemText(1), QStringLiteral("2  ") + lateLink);
        combo1->hidePopup();

        QVERIFY(QFile::link(late.slavePath(), lateLink));
        QTRY_COMPARE_WITH_TIMEOUT(run->text(), QStringLiteral("Stop"), 10000);
        QCOMPARE(form->port().device(), lateLink);
        QTRY_VERIFY(!late.received().isEmpty());
        QCOMPARE(late.received().first().line, QByteArray("STS"));
        QCOMPARE(f.messages.size(), 1);
    }

    void devicesBeyondTheTenthNumberAreNamed()
    {
        RadioFixture f;
        QStringList before;
        for (int i = 0; i < 10; ++i)
            before.append(QStringLiteral("/nonexistent/ttyUSB%1").arg(i));
        auto form = f.makeForm(before);
        QTRY_COMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages.first().contains(f.portLink()), qPrintable(f.messages.first()));
        // Said once, not again each time the list is built.
        child<QComboBox>(form.get(), "Combo1")->showPopup();
        QTest::qWait(0);
        QCOMPARE(f.messages.size(), 1);
    }

    void commandLineNeedsNoDisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says"); // on standard output for 0, else on errors
        QTest::newRow("help") << "--help" << 0 << "--port";
        QTest::newRow("version") << "--version" << 0 << "Tollvane - V1.0b2";
        QTest::newRow("a mistake") << "--prot" << 2 << "prot";
        QTest::newRow("no such port") << "--web=70000" << 2 << "--web takes a port number";
    }
    void commandLineNeedsNoDisplay()
    {
        QFETCH(QString, option);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QLatin1String(name));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TOLLVANE_PROGRAM), {option});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        const QByteArray out =
            exitCode == 0 ? program.readAllStandardOutput() : program.readAllStandardError();
        QVERIFY2(QString::fromLocal8Bit(out).contains(says), out.constData());
    }

    void windowSystemOptionsAreLeftToIt()
    {
        const QStringList given{"tollvane", "-platform", "offscreen", "--style=fusion",
                                "--port",   "radio",     "-reverse"};
        QCOMPARE(withoutWindowSystemOptions(given), (QStringList{"tollvane", "--port", "radio"}));
    }

    // The display choices are made for this program alone: a browser or a
    // file manager started from it gets the user's environment.
    void displayChoicesAreNotPassedOn_data()
    {
        QTest::addColumn<QByteArray>("users");
        QTest::addColumn<bool>("gtkTheme");
        QTest::newRow("left to the program") << QByteArray() << false;
        QTest::newRow("the user's own") << QByteArray("0") << false;
        // GTK's file dialogs need GLib's loop.
        QTest::newRow("GTK's theme installed") << QByteArray() << true;
    }

    void displayChoicesAreNotPassedOn()
    {
        QFETCH(QByteArray, users);
        QFETCH(bool, gtkTheme);
        const QByteArrayList names{"QT_XCB_NO_MITSHM", "QT_NO_GLIB"};
        const QByteArrayList before{qgetenv(names[0]), qgetenv(names[1])};
        for (const QByteArray &name : names) {
            if (users.isNull())
                qunsetenv(name);
            else
                qputenv(name, users);
        }
        DisplayChoices display(gtkTheme);
        // The pixels' way to the X server is left to Qt (shared memory).
        QCOMPARE(qgetenv(names[0]), users);
        QCOMPARE(qgetenv(names[1]), users.isNull() && !gtkTheme ? QByteArray("1") : users);
        display.forget();
        for (const QByteArray &name : names) {
            QCOMPARE(qEnvironmentVariableIsSet(name), !users.isNull());
            QCOMPARE(qgetenv(name), users);
        }
        for (int i = 0; i < names.size(); ++i) {
            if (before[i].isNull())
                qunsetenv(names[i]);
            else
                qputenv(names[i], before[i]);
        }
    }

    void relativePortPathsBecomeAbsolute_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("opened");
        const QString here = QDir::currentPath();
        QTest::newRow("below here") << "sub/radio" << here + QStringLiteral("/sub/radio");
        QTest::newRow("dot") << "./radio" << here + QStringLiteral("/radio");
        QTest::newRow("absolute") << "/dev/ttyUSB0"
                                  << "/dev/ttyUSB0";
        QTest::newRow("bare device name") << "ttyUSB9"
                                          << "ttyUSB9";
    }
    void relativePortPathsBecomeAbsolute()
    {
        QFETCH(QString, given);
        QFETCH(QString, opened);
        const CommandLine line =
            parseCommandLine({QStringLiteral("tollvane"), QStringLiteral("--port"), given});
        QVERIFY(line.ok);
        QCOMPARE(line.ports, QStringList{opened});
    }

    // A settings file in the way of its own save (a folder of that name): the
    // user is told once, with the file's name and the cause.
    void settingsThatCannotBeSavedAreTold_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("com_settings.txt at Run") << "com_settings.txt";
        QTest::newRow("pgm_settings.txt at shutdown") << "pgm_settings.txt";
        QTest::newRow("the data folder") << "data";
    }
    void settingsThatCannotBeSavedAreTold()
    {
        QFETCH(QString, file);
        RadioFixture f;
        QVERIFY(
            QDir(f.dataDir()).mkdir(file == QLatin1String("data") ? QStringLiteral("x") : file));
        if (file == QLatin1String("data")) {
            // A data folder below a regular file can never be made.
            f.writeFile(QStringLiteral("plain"), "x");
            f.dataFolder = f.dataDir() + QStringLiteral("/plain/tollvane");
        }
        auto form = f.makeForm();
        // The data folder's message comes once the window is up.
        if (file == QLatin1String("data"))
            QTRY_VERIFY(!f.messages.isEmpty());
        auto *run = child<QPushButton>(form.get(), "Command2");
        child<QComboBox>(form.get(), "Combo1")->setCurrentIndex(0);
        child<QComboBox>(form.get(), "Combo2")->setCurrentIndex(4);
        for (int twice = 0; twice < 2; ++twice) {
            QTest::mouseClick(run, Qt::LeftButton);
            QCOMPARE(run->text(), QStringLiteral("Stop"));
            QTest::mouseClick(run, Qt::LeftButton);
        }
        form->close();
        const QString named = file == QLatin1String("data") ? f.dataFolder : file;
        if (file == QLatin1String("pgm_settings.txt")) {
            // At shutdown no box holds the program up: the status line says it.
            QVERIFY(f.messages.isEmpty());
            QVERIFY(child<QLineEdit>(form.get(), "Text3")->text().contains(named));
            return;
        }
        QTRY_VERIFY(!f.messages.isEmpty());
        QCOMPARE(f.messages.filter(named).size(), 1);
        QVERIFY2(!f.messages.filter(named).first().contains(QLatin1String("(null)")),
                 qPrintable(f.messages.first()));
        if (file != QLatin1String("data"))
            QCOMPARE(f.messages.size(), 1);
    }

    // Toggling "Enable Always On Top" re-creates the window's frame: the
    // position saved afterwards is still the window's, and comes back.
    void alwaysOnTopKeepsTheSavedPosition()
    {
        RadioFixture f;
        auto form = f.makeForm();
        form->setGeometry(QRect(QPoint(100, 60), form->size()));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QPoint at = form->geometry().topLeft();
        child<QCheckBox>(form.get(), "AlwaysOnTopCheck")->click();
        QCOMPARE(form->geometry().topLeft(), at);
        form->close();
        const QList<QByteArray> lines = f.readFile(QStringLiteral("pgm_settings.txt")).split('\n');
        QCOMPARE(lines.value(7), QByteArray::number(at.x() * 15) + '\r');
        QCOMPARE(lines.value(8), QByteArray::number(at.y() * 15) + '\r');
        auto again = f.makeForm();
        again->show();
        QVERIFY(QTest::qWaitForWindowExposed(again.get()));
        QCOMPARE(again->geometry().topLeft(), at);
    }

    // One program per data folder: a second is turned away naming the first;
    // a lock left by a program that has ended is taken over.
    void aSecondProgramOnTheDataFolderIsTurnedAway()
    {
        QTemporaryDir data;
        DataFolderLock first(data.path());
        QCOMPARE(first.take(), DataFolderLock::Outcome::Taken);
        DataFolderLock second(data.path());
        QCOMPARE(second.take(), DataFolderLock::Outcome::HeldElsewhere);
        QCOMPARE(second.holder().pid, QCoreApplication::applicationPid());

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TOLLVANE_PROGRAM),
                      {QStringLiteral("--data-dir"), data.path()});
        QVERIFY(program.waitForStarted());
        const QByteArray holder =
            "(process " + QByteArray::number(QCoreApplication::applicationPid());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += program.readAllStandardError()).contains(holder), 10000);
        program.terminate();
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(!QFile::exists(data.filePath(QStringLiteral("pgm_settings.txt"))));
    }
    void aLockLeftByAnEndedProgramIsTaken()
    {
        QTemporaryDir data;
        QProcess ended;
        ended.start(QStringLiteral("true"), {});
        QVERIFY(ended.waitForStarted());
        const qint64 pid = ended.processId();
        QVERIFY(ended.waitForFinished());
        QFile lock(data.filePath(QStringLiteral("tollvane.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(pid) + "\ntollvane\n" + QSysInfo::machineHostName().toUtf8() +
                   "\n");
        lock.close();
        DataFolderLock taken(data.path());
        QCOMPARE(taken.take(), DataFolderLock::Outcome::Taken);
        QCOMPARE(DataFolderLock(data.path()).take(), DataFolderLock::Outcome::HeldElsewhere);
    }
    void aSecondStartShowsTheRunningWindow()
    {
        RadioFixture f;
        auto form = f.makeForm();
        form->showMinimized();
        RunningInstance running(f.dataDir());
        QVERIFY(running.listen());
        connect(&running, &RunningInstance::showRequested, form.get(), &Form1::showRunningWindow);
        QVERIFY(RunningInstance::askToShow(f.dataDir()));
        QTRY_VERIFY(!form->isMinimized() && form->isVisible());
    }

    // A crashed run's socket file, no one listening on it: replaced, by a
    // socket for this user only, removed again at the end.
    void aStaleSocketIsReplaced()
    {
        QTemporaryDir data;
        const QString path = RunningInstance::socketPath(data.path());
        const int crashed = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = unixAddress(path);
        QCOMPARE(::bind(crashed, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
        ::close(crashed);
        QVERIFY(!RunningInstance::askToShow(data.path()));
        {
            RunningInstance running(data.path());
            QVERIFY(running.listen());
            QCOMPARE(QFile::permissions(path) & 0x0ff, QFile::Permissions());
            QSignalSpy shown(&running, &RunningInstance::showRequested);
            QVERIFY(RunningInstance::askToShow(data.path()));
            QTRY_COMPARE(shown.count(), 1);

            // A request that arrives in pieces is put together.
            const int caller = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QCOMPARE(
                ::connect(caller, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
            QCOMPARE(::write(caller, "sh", 2), 2);
            // Taken, and its first piece read, before the rest is sent.
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            QCOMPARE(shown.count(), 1);
            QCOMPARE(::write(caller, "ow\n", 3), 3);
            QTRY_COMPARE(shown.count(), 2);
            ::close(caller);

            // A caller that comes while the program has no descriptor left
            // is served once one is free again.
            const int late = ::socket(AF_UNIX, SOCK_STREAM, 0);
            std::vector<int> spent;
            for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;)
                spent.push_back(fd);
            QCOMPARE(errno, EMFILE);
            QCOMPARE(::connect(late, reinterpret_cast<const sockaddr *>(&address), sizeof address),
                     0);
            QCOMPARE(::write(late, "show\n", 5), 5);
            // Meanwhile the program waits rather than spins on the caller.
            int wakeUps = 0;
            const QMetaObject::Connection counting =
                connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                        [&wakeUps] { ++wakeUps; });
            QTest::qWait(100);
            disconnect(counting);
            for (int fd : spent)
                ::close(fd);
            QVERIFY2(wakeUps < 100, QByteArray::number(wakeUps));
            QCOMPARE(shown.count(), 2);
            QTRY_COMPARE(shown.count(), 3);
            ::close(late);
        }
        QVERIFY(!QFile::exists(path));
    }

    // Told to end with the data folder on a full disk: the failure goes to
    // standard error and the program ends at once, with no box waiting.
    void terminationOnAFullDiskEndsAtOnce()
    {
        SmallDisk disk;
        if (!disk.isMounted())
            QSKIP("no right to mount a small filesystem here");
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TOLLVANE_PROGRAM),
                      {QStringLiteral("--data-dir"), disk.path()});
        QVERIFY(program.waitForStarted());
        // Up once it holds its data folder.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(disk.filePath(QStringLiteral("tollvane.lock"))),
                                 10000);
        disk.fill();
        program.terminate();
        QVERIFY(program.waitForFinished(4000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        const QByteArray said = program.readAllStandardError();
        QVERIFY2(said.contains("pgm_settings.txt could not be saved"), said.constData());
        QVERIFY(!QFile::exists(disk.filePath(QStringLiteral("pgm_settings.txt"))));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
