// The keyboard shortcuts, the macros, volume and squelch on the real window,
// down to the bytes the simulated radio receives.
#include "support/radiofixture.h"

#include "link/commandsequencer.h"
#include "link/widgets/keybutton.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// A poll interval long enough that no tick comes during a test: the wire
// then carries only what the keys send.
constexpr int quietInterval = 60000;

const QString savedMessage = QStringLiteral("Your Macros Have Been Saved!");

// A key press the way the platform hands it on while the key is held down.
void sendKeyPress(QWidget *widget, int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(widget, &press);
}

} // namespace

class TestKeyboardMacrosForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyboard_data();
    void keyboard();
    void keyRepeatActsAgain();
    void qTogglesRunStop_data();
    void qTogglesRunStop();
    void qOnFirstStartDoesNothing();
    void silentWhileMacroBoxHasFocus();
    void enterInMacroBoxLeavesIt_data();
    void enterInMacroBoxLeavesIt();
    void macroPlays_data();
    void macroPlays();
    void macroItemsAreSpacedOnTheWire();
    void saveMacrosDropsQuotes();
    void saveEmptyMacros();
    void stopCancelsTheRestOfAMacro();
    void pastedLineBreaksBecomeItemSeparators();
    void levels_data();
    void levels();

private:
    std::unique_ptr<Form1> openForm(RadioFixture &fx);
};

std::unique_ptr<Form1> TestKeyboardMacrosForm::openForm(RadioFixture &fx)
{
    fx.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, quietInterval));
    auto form = fx.makeForm();
    form->show();
    form->activateWindow();
    return form;
}

void TestKeyboardMacrosForm::keyboard_data()
{
    QTest::addColumn<QString>("target"); // "" for the window itself
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QByteArray>("wire");

    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const QByteArray g5 = "KEY,F,H\rKEY,5,P\rKEY,F,R\r";

    const QString targets[] = {QString(), QStringLiteral("Picture1"), QStringLiteral("grdInfo")};
    for (const QString &target : targets) {
        const QString on = target.isEmpty() ? QStringLiteral("window") : target;
        auto row = [&](const char *name, int key, Qt::KeyboardModifiers modifiers,
                       const QByteArray &wire) {
            QTest::addRow("%s on %s", name, qPrintable(on)) << target << key << modifiers << wire;
        };
        row("Shift+5", Qt::Key_5, shift, g5);
        row("Shift+5 as %", Qt::Key_Percent, shift, g5);
        row("Ctrl+5", Qt::Key_5, ctrl, "KEY,5,P\r");
        row("5", Qt::Key_5, none, "KEY,5,P\r");
        row("keypad 5", Qt::Key_5, pad, "KEY,5,P\r");
        row("Shift+Ctrl+5", Qt::Key_5, shift | ctrl, "KEY,5,P\r");
        row("Shift+Q", Qt::Key_Q, shift, "");
        row("Enter", Qt::Key_Return, none, "KEY,^,P\r");
        row("keypad Enter", Qt::Key_Enter, pad, "KEY,^,P\r");
        row("Down", Qt::Key_Down, none, "KEY,^,P\r");
        row("Space", Qt::Key_Space, none, "KEY,H,P\r");
        row("H", Qt::Key_H, none, "KEY,H,P\r");
        row("S", Qt::Key_S, none, "KEY,S,P\r");
        row("period", Qt::Key_Period, none, "KEY,.,P\r");
        row("keypad point", Qt::Key_Period, pad, "KEY,.,P\r");
        row("M", Qt::Key_M, none, "KEY,M,P\r");
        row("Right", Qt::Key_Right, none, "KEY,>,P\r");
        row("Left", Qt::Key_Left, none, "KEY,<,P\r");
        row("F", Qt::Key_F, none, "KEY,F,H\r");
        row("Up", Qt::Key_Up, none, "");
        row("A", Qt::Key_A, none, "");
    }
}

void TestKeyboardMacrosForm::keyboard()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QByteArray, wire);
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QVERIFY(form->isRunning());
    QWidget *receiver = form.get();
    if (!target.isEmpty()) {
        receiver = form->findChild<QWidget *>(target);
        QVERIFY(receiver);
        receiver->setFocus();
        QTRY_VERIFY(receiver->hasFocus());
    }
    fx.radio().clearReceived();

    QTest::keyClick(receiver, Qt::Key(key), modifiers);
    QCOMPARE(fx.wireUpToMarker(*form), wire);
    QVERIFY(form->isRunning());
}

void TestKeyboardMacrosForm::keyRepeatActsAgain()
{
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    fx.radio().clearReceived();

    sendKeyPress(form.get(), Qt::Key_Right, {}, false);
    sendKeyPress(form.get(), Qt::Key_Right, {}, true);
    sendKeyPress(form.get(), Qt::Key_Right, {}, true);
    sendKeyPress(form.get(), Qt::Key_5, Qt::ShiftModifier, false);
    sendKeyPress(form.get(), Qt::Key_5, Qt::ShiftModifier, true);
    QCOMPARE(fx.wireUpToMarker(*form),
             QByteArray("KEY,>,P\rKEY,>,P\rKEY,>,P\r"
                        "KEY,F,H\rKEY,5,P\rKEY,F,R\rKEY,F,H\rKEY,5,P\rKEY,F,R\r"));
}

void TestKeyboardMacrosForm::qTogglesRunStop_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("toggles");
    QTest::newRow("Q") << Qt::KeyboardModifiers() << true;
    QTest::newRow("Ctrl+Q") << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
    QTest::newRow("Alt+Q") << Qt::KeyboardModifiers(Qt::AltModifier) << true;
    QTest::newRow("Shift+Ctrl+Q") << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier)
                                  << true;
    QTest::newRow("Shift+Q") << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
}

void TestKeyboardMacrosForm::qTogglesRunStop()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, toggles);
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QVERIFY(form->isRunning());

    QTest::keyClick(form.get(), Qt::Key_Q, modifiers);
    QCOMPARE(form->isRunning(), !toggles);
    QCOMPARE(form->port().isOpen(), !toggles);
    QTest::keyClick(form.get(), Qt::Key_Q, modifiers);
    QVERIFY(form->isRunning());
    QVERIFY(form->port().isOpen());
    QVERIFY(fx.messages.isEmpty());

    // Running again after Q: the keys reach the radio.
    fx.radio().clearReceived();
    QTest::keyClick(form.get(), Qt::Key_S);
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray("KEY,S,P\r"));
}

void TestKeyboardMacrosForm::qOnFirstStartDoesNothing()
{
    RadioFixture fx;
    auto form = fx.makeForm();
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *runButton = child<QPushButton>(form.get(), "Command2");
    QVERIFY(!runButton->isEnabled());

    QTest::keyClick(form.get(), Qt::Key_Q);
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(form->Command2Caption(), QStringLiteral("Run"));
    QVERIFY(!form->isRunning());
    QVERIFY(!form->port().isOpen());
    QVERIFY(fx.messages.isEmpty());
    QVERIFY(fx.readFile(QStringLiteral("com_settings.txt")).isEmpty());
}

void TestKeyboardMacrosForm::silentWhileMacroBoxHasFocus()
{
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *m1 = child<QLineEdit>(form.get(), "m1");
    m1->setFocus();
    QTRY_VERIFY(m1->hasFocus());
    QVERIFY(form->text_entry_focus);
    fx.radio().clearReceived();

    QTest::keyClicks(m1, QStringLiteral("S,P 5,P hq."));
    QTest::keyClick(m1, Qt::Key_5, Qt::ShiftModifier);
    QTest::keyClick(m1, Qt::Key_Q, Qt::ControlModifier);
    QTest::keyClick(m1, Qt::Key_Down);
    QTest::keyClick(m1, Qt::Key_Right);
    QCOMPARE(m1->text(), QStringLiteral("S,P 5,P hq.5"));
    QVERIFY(form->isRunning());
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray());
}

void TestKeyboardMacrosForm::enterInMacroBoxLeavesIt_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Enter in m2") << QByteArray("m2") << int(Qt::Key_Return)
                                 << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter in m2")
        << QByteArray("m2") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    QTest::newRow("Enter in m1") << QByteArray("m1") << int(Qt::Key_Return)
                                 << Qt::KeyboardModifiers();
    QTest::newRow("Shift+Enter in m3")
        << QByteArray("m3") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier);
}

void TestKeyboardMacrosForm::enterInMacroBoxLeavesIt()
{
    QFETCH(QByteArray, box);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *macroBox = child<QLineEdit>(form.get(), box.constData());
    auto *logo = form->findChild<QWidget *>(QStringLiteral("Picture1"));
    macroBox->setText(QStringLiteral("1,P"));
    macroBox->setFocus();
    QTRY_VERIFY(macroBox->hasFocus());
    QVERIFY(form->text_entry_focus);
    fx.radio().clearReceived();

    QTest::keyClick(macroBox, Qt::Key(key), modifiers);
    QCOMPARE(macroBox->text(), QStringLiteral("1,P"));
    QTRY_VERIFY(logo->hasFocus());
    QVERIFY(!form->text_entry_focus);
    // The Enter that left the box is not a press of the radio's push key.
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray());

    fx.radio().clearReceived();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S);
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray("KEY,S,P\r"));
}

void TestKeyboardMacrosForm::macroPlays_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("three items") << QByteArray("key_m1") << QByteArray("m1")
                                 << QStringLiteral("F,H 1,P F,R")
                                 << QByteArray("KEY,F,H\rKEY,1,P\rKEY,F,R\r");
    QTest::newRow("double space") << QByteArray("key_m1") << QByteArray("m1")
                                  << QStringLiteral("F,H  F,R")
                                  << QByteArray("KEY,F,H\rKEY,\rKEY,F,R\r");
    QTest::newRow("leading space") << QByteArray("key_m2") << QByteArray("m2")
                                   << QStringLiteral(" S,P") << QByteArray("KEY,\rKEY,S,P\r");
    QTest::newRow("sent as typed") << QByteArray("key_m3") << QByteArray("m3")
                                   << QStringLiteral("x,y,z 9") << QByteArray("KEY,x,y,z\rKEY,9\r");
    QTest::newRow("empty") << QByteArray("key_m2") << QByteArray("m2") << QString() << QByteArray();
}

void TestKeyboardMacrosForm::macroPlays()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, box);
    QFETCH(QString, text);
    QFETCH(QByteArray, wire);
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    for (const char *name : {"m1", "m2", "m3"})
        child<QLineEdit>(form.get(), name)->setText(QStringLiteral("E,P"));
    child<QLineEdit>(form.get(), box.constData())->setText(text);
    fx.radio().clearReceived();

    KeyButton *button = child<KeyButton>(form.get(), key.constData());
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    QCOMPARE(fx.wireUpToMarker(*form), wire);
}

void TestKeyboardMacrosForm::macroItemsAreSpacedOnTheWire()
{
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    child<QLineEdit>(form.get(), "m1")->setText(QStringLiteral("F,H 1,P F,R"));
    bool busyAtLastLine = false;
    connect(&fx.radio(), &PtyRadio::commandReceived, form.get(), [&](const QByteArray &line) {
        if (line == "KEY,F,R")
            busyAtLastLine = form->sequencer().busy();
    });
    QSignalSpy idle(&form->sequencer(), &CommandSequencer::idle);
    fx.radio().clearReceived();

    KeyButton *button = child<KeyButton>(form.get(), "key_m1");
    QElapsedTimer playing;
    playing.start();
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    QVERIFY(form->sequencer().busy());
    QTRY_COMPARE_WITH_TIMEOUT(idle.count(), 1, 5000);
    const qint64 busyMs = playing.elapsed();

    const QList<PtyRadio::Received> got = fx.radio().received();
    QCOMPARE(got.size(), 3);
    QCOMPARE(got.at(0).line, QByteArray("KEY,F,H"));
    QCOMPARE(got.at(1).line, QByteArray("KEY,1,P"));
    QCOMPARE(got.at(2).line, QByteArray("KEY,F,R"));
    for (int i = 1; i < got.size(); ++i) {
        const qint64 gap = got.at(i).atMs - got.at(i - 1).atMs;
        QVERIFY2(gap >= 95, qPrintable(QStringLiteral("gap %1: %2 ms").arg(i).arg(gap)));
    }
    // The wait after the last item keeps the line too.
    QVERIFY(busyAtLastLine);
    QVERIFY2(busyMs >= 295, qPrintable(QString::number(busyMs)));
}

void TestKeyboardMacrosForm::saveMacrosDropsQuotes()
{
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *m1 = child<QLineEdit>(form.get(), "m1");
    m1->setText(QStringLiteral("F,H \"1,P\" F,R"));
    child<QLineEdit>(form.get(), "m2")->setText(QStringLiteral("\""));
    child<QLineEdit>(form.get(), "m3")->setText(QStringLiteral("S,P"));
    m1->setFocus();
    QTRY_VERIFY(m1->hasFocus());

    QTest::mouseClick(child<QPushButton>(form.get(), "SaveMacros"), Qt::LeftButton);
    // A routine confirmation: the status line says it, no box.
    QVERIFY(fx.messages.isEmpty());
    QCOMPARE(child<QLineEdit>(form.get(), "Text3")->text(), savedMessage);
    QCOMPARE(fx.readFile(QStringLiteral("macro_settings.txt")),
             QByteArray("\"F,H 1,P F,R\"\r\n\"\"\r\n\"S,P\"\r\n"));
    // The box keeps what was typed; the keyboard goes back to the radio.
    QCOMPARE(m1->text(), QStringLiteral("F,H \"1,P\" F,R"));
    QTRY_VERIFY(form->findChild<QWidget *>(QStringLiteral("Picture1"))->hasFocus());
    QVERIFY(!form->text_entry_focus);

    form.reset();
    form = fx.makeForm();
    QCOMPARE(child<QLineEdit>(form.get(), "m1")->text(), QStringLiteral("F,H 1,P F,R"));
    QCOMPARE(child<QLineEdit>(form.get(), "m2")->text(), QString());
    QCOMPARE(child<QLineEdit>(form.get(), "m3")->text(), QStringLiteral("S,P"));

    // A quote put into the file by hand is lost on reading, too.
    form.reset();
    fx.writeFile(QStringLiteral("macro_settings.txt"), "\"1,\"P\"\r\n\"2,P\"\"\r\n");
    form = fx.makeForm();
    QCOMPARE(child<QLineEdit>(form.get(), "m1")->text(), QStringLiteral("1,P"));
    QCOMPARE(child<QLineEdit>(form.get(), "m2")->text(), QStringLiteral("2,P"));
    QCOMPARE(child<QLineEdit>(form.get(), "m3")->text(), QString());
}

void TestKeyboardMacrosForm::saveEmptyMacros()
{
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    auto *save = child<QPushButton>(form.get(), "SaveMacros");
    QTest::mouseClick(save, Qt::LeftButton);
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(fx.messages.isEmpty());
    QCOMPARE(child<QLineEdit>(form.get(), "Text3")->text(), savedMessage);
    QCOMPARE(fx.readFile(QStringLiteral("macro_settings.txt")),
             QByteArray("\"\"\r\n\"\"\r\n\"\"\r\n"));
}

void TestKeyboardMacrosForm::stopCancelsTheRestOfAMacro()
{
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QStringList items;
    for (int i = 0; i < 40; ++i)
        items.append(QStringLiteral("%1,P").arg(i % 10));
    child<QLineEdit>(form.get(), "m1")->setText(items.join(QLatin1Char(' ')));
    auto *text3 = child<QLineEdit>(form.get(), "Text3");
    fx.radio().clearReceived();

    KeyButton *button = child<KeyButton>(form.get(), "key_m1");
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    // The panel shows the macro playing, item by item.
    const QString playing = QStringLiteral("Macro 1: item ");
    QTRY_VERIFY(text3->text().startsWith(playing) && !text3->text().startsWith(playing + u'1'));
    const qsizetype shown = text3->text().mid(playing.size()).section(u' ', 0, 0).toInt();
    QCOMPARE(text3->text(), playing + QString::number(shown) + QStringLiteral(" of 40"));
    auto *run = child<QPushButton>(form.get(), "Command2");
    QTest::mouseClick(run, Qt::LeftButton);
    QCOMPARE(run->text(), QStringLiteral("Run"));
    QTRY_VERIFY(!form->port().isOpen());
    QVERIFY(!form->sequencer().busy());
    QTRY_VERIFY(fx.radio().received().size() >= shown);
    const qsizetype sent = fx.radio().received().size();
    QVERIFY2(sent <= shown + 1, qPrintable(QString::number(sent)));
    QCOMPARE(text3->text(), QStringLiteral("Stopped"));
}

void TestKeyboardMacrosForm::pastedLineBreaksBecomeItemSeparators()
{
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    child<QLineEdit>(form.get(), "m1")->setText(QStringLiteral("S,P"));
    child<QLineEdit>(form.get(), "m3")->setText(QStringLiteral("M,P"));
    auto *m2 = child<QLineEdit>(form.get(), "m2");
    const QString pasted = QStringLiteral("F,H\r\n1,P\nF,R");
    QGuiApplication::clipboard()->setText(pasted);
    if (QGuiApplication::clipboard()->text() == pasted)
        m2->paste();
    else
        m2->insert(pasted); // no clipboard on this platform: typed in one go
    QCOMPARE(m2->text(), QStringLiteral("F,H 1,P F,R"));

    QTest::mouseClick(child<QPushButton>(form.get(), "SaveMacros"), Qt::LeftButton);
    QCOMPARE(fx.readFile(QStringLiteral("macro_settings.txt")),
             QByteArray("\"S,P\"\r\n\"F,H 1,P F,R\"\r\n\"M,P\"\r\n"));

    form.reset();
    form = openForm(fx);
    QCOMPARE(child<QLineEdit>(form.get(), "m1")->text(), QStringLiteral("S,P"));
    QCOMPARE(child<QLineEdit>(form.get(), "m2")->text(), QStringLiteral("F,H 1,P F,R"));
    QCOMPARE(child<QLineEdit>(form.get(), "m3")->text(), QStringLiteral("M,P"));
    fx.radio().clearReceived();
    KeyButton *button = child<KeyButton>(form.get(), "key_m2");
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray("KEY,F,H\rKEY,1,P\rKEY,F,R\r"));
}

void TestKeyboardMacrosForm::levels_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("volume 7") << QByteArray("Vol_Combo") << QByteArray("cmd_set_vol") << 7
                              << QByteArray("VOL,7\r");
    QTest::newRow("volume 0") << QByteArray("Vol_Combo") << QByteArray("cmd_set_vol") << 0
                              << QByteArray("VOL,0\r");
    QTest::newRow("volume 15") << QByteArray("Vol_Combo") << QByteArray("cmd_set_vol") << 15
                               << QByteArray("VOL,15\r");
    QTest::newRow("volume unset") << QByteArray("Vol_Combo") << QByteArray("cmd_set_vol") << -1
                                  << QByteArray("VOL,-1\r");
    QTest::newRow("squelch 7") << QByteArray("Sql_Combo") << QByteArray("cmd_set_sql") << 7
                               << QByteArray("SQL,7\r");
    QTest::newRow("squelch unset")
        << QByteArray("Sql_Combo") << QByteArray("cmd_set_sql") << -1 << QByteArray("SQL,-1\r");
}

void TestKeyboardMacrosForm::levels()
{
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, button);
    QFETCH(int, index);
    QFETCH(QByteArray, wire);
    RadioFixture fx;
    auto form = openForm(fx);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *levels = child<QComboBox>(form.get(), list.constData());
    QCOMPARE(levels->count(), 16);
    QCOMPARE(levels->currentIndex(), -1);
    levels->setCurrentIndex(index);
    fx.radio().clearReceived();

    QTest::mouseClick(child<QPushButton>(form.get(), button.constData()), Qt::LeftButton);
    QCOMPARE(fx.wireUpToMarker(*form), wire);
    QTRY_VERIFY(form->findChild<QWidget *>(QStringLiteral("Picture1"))->hasFocus());
}

QTEST_MAIN(TestKeyboardMacrosForm)
#include "tst_keyboard_macros_form.moc"
