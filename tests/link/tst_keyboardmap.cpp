#include "link/keyboardmap.h"
#include "link/keyhelp.h"
#include "link/keyoperations.h"

#include <QTest>

class TestKeyboardMap : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void operation_data();
    void operation();
    void shiftState_data();
    void shiftState();
    void shortcutsTold_data();
    void shortcutsTold();
    void helpListsEveryShortcutOnce();
};

void TestKeyboardMap::operation_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<QString>("expected");

    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;

    auto row = [](const char *name, int key, Qt::KeyboardModifiers modifiers, quint32 scanCode,
                  const char *expected) {
        QTest::newRow(name) << key << modifiers << scanCode << QString::fromLatin1(expected);
    };

    row("5", Qt::Key_5, none, 0, "key_5");
    row("0", Qt::Key_0, none, 0, "key_0");
    row("1", Qt::Key_1, none, 0, "key_1");
    row("Shift+5 as a digit", Qt::Key_5, shift, 0, "key_g5");
    row("Shift+5 as %", Qt::Key_Percent, shift, 0, "key_g5");
    row("Shift+1 as !", Qt::Key_Exclam, shift, 0, "key_g1");
    row("Shift+2 as @", Qt::Key_At, shift, 0, "key_g2");
    row("Shift+3 as #", Qt::Key_NumberSign, shift, 0, "key_g3");
    row("Shift+4 as $", Qt::Key_Dollar, shift, 0, "key_g4");
    row("Shift+6 as ^", Qt::Key_AsciiCircum, shift, 0, "key_g6");
    row("Shift+7 as &", Qt::Key_Ampersand, shift, 0, "key_g7");
    row("Shift+8 as *", Qt::Key_Asterisk, shift, 0, "key_g8");
    row("Shift+9 as (", Qt::Key_ParenLeft, shift, 0, "key_g9");
    row("Shift+0 as )", Qt::Key_ParenRight, shift, 0, "key_g0");
    row("Ctrl+5", Qt::Key_5, ctrl, 0, "key_5");
    row("Alt+5", Qt::Key_5, alt, 0, "key_5");
    row("Shift+Ctrl+5", Qt::Key_5, shift | ctrl, 0, "key_5");
    row("Shift+Ctrl+5 as %", Qt::Key_Percent, shift | ctrl, 0, "key_5");
    row("Shift+Meta+5", Qt::Key_5, shift | Qt::MetaModifier, 0, "key_5");
    row("% without Shift", Qt::Key_Percent, none, 0, "");
    row("keypad 5", Qt::Key_5, pad, 0, "key_5");
    row("keypad 0", Qt::Key_0, pad, 0, "key_0");
    row("Shift+keypad 5", Qt::Key_5, shift | pad, 0, "key_g5");
    row("keypad *", Qt::Key_Asterisk, pad, 0, "");
    row("Shift+keypad *", Qt::Key_Asterisk, shift | pad, 0, "");
    row("Q", Qt::Key_Q, none, 0, "RunStop");
    row("lowercase q", 'q', none, 0, "RunStop");
    row("Ctrl+Q", Qt::Key_Q, ctrl, 0, "RunStop");
    row("Alt+Q", Qt::Key_Q, alt, 0, "RunStop");
    row("Shift+Q", Qt::Key_Q, shift, 0, "");
    row("Shift+Ctrl+Q", Qt::Key_Q, shift | ctrl, 0, "RunStop");
    row("Shift+keypad-flag+Q", Qt::Key_Q, shift | pad, 0, "");
    row("M", Qt::Key_M, none, 0, "key_menu");
    row("Shift+M", Qt::Key_M, shift, 0, "key_menu");
    row("lowercase m", 'm', none, 0, "key_menu");
    row("F", Qt::Key_F, none, 0, "key_f");
    row("Ctrl+F", Qt::Key_F, ctrl, 0, "key_f");
    row("S", Qt::Key_S, none, 0, "key_scan");
    row("lowercase s", 's', none, 0, "key_scan");
    row("H", Qt::Key_H, none, 0, "key_hold_bar");
    row("lowercase h", 'h', none, 0, "key_hold_bar");
    row("Space", Qt::Key_Space, none, 0, "key_hold_bar");
    row("Right", Qt::Key_Right, none, 0, "key_right");
    row("Right on the keypad", Qt::Key_Right, pad, 0, "key_right");
    row("Left", Qt::Key_Left, ctrl, 0, "key_left");
    row("Down", Qt::Key_Down, none, 0, "key_push");
    row("Up", Qt::Key_Up, none, 0, "");
    row("Return", Qt::Key_Return, none, 0, "key_push");
    row("Enter", Qt::Key_Enter, pad, 0, "key_push");
    row("period", Qt::Key_Period, none, 0, "key_no");
    row("Shift+period as >", Qt::Key_Greater, shift, 0, "key_no");
    row("keypad decimal point", Qt::Key_Period, pad, 0, "key_no");
    row("keypad decimal comma", Qt::Key_Comma, pad, 0, "key_no");
    row("comma", Qt::Key_Comma, none, 0, "");
    row("A", Qt::Key_A, none, 0, "");
    row("E", Qt::Key_E, none, 0, "");
    row("F1", Qt::Key_F1, none, 0, "");
    row("Escape", Qt::Key_Escape, none, 0, "");
    // Layouts told apart by the X11 key code of the physical key.
    row("French 1 key unshifted (&)", Qt::Key_Ampersand, none, 10, "key_1");
    row("French 0 key unshifted (a grave)", Qt::Key_Agrave, none, 19, "key_0");
    row("French Shift+1 gives 1", Qt::Key_1, shift, 10, "key_g1");
    row("German Shift+8 gives (", Qt::Key_ParenLeft, shift, 17, "key_g8");
    row("German Shift+7 gives /", Qt::Key_Slash, shift, 16, "key_g7");
    row("British Shift+3 gives pound", Qt::Key_sterling, shift, 12, "key_g3");
    row("Shift+5 with its key code", Qt::Key_Percent, shift, 14, "key_g5");
    row("Shift+ key elsewhere gives *", Qt::Key_Asterisk, shift, 35, "");
    row("Shift+period with its key code", Qt::Key_Greater, shift, 60, "key_no");
    row("Shift+< key gives >", Qt::Key_Greater, shift, 94, "");
    row("letter keeps its meaning", Qt::Key_S, none, 39, "key_scan");
    row("keypad 7 with its key code", Qt::Key_7, pad, 79, "key_7");
}

void TestKeyboardMap::operation()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(quint32, scanCode);
    QFETCH(QString, expected);
    QCOMPARE(keyboardOperation(key, modifiers, scanCode), expected);
}

void TestKeyboardMap::shiftState_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("state");
    QTest::newRow("none") << Qt::KeyboardModifiers() << 0;
    QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
    QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier) << 2;
    QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier) << 4;
    QTest::newRow("shift+ctrl+alt")
        << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) << 7;
    QTest::newRow("shift on the keypad") << (Qt::ShiftModifier | Qt::KeypadModifier) << 1;
}

void TestKeyboardMap::shiftState()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, state);
    QCOMPARE(windowsShiftState(modifiers), state);
}

// What the tool tips and the list of keys say, read back from the map.
void TestKeyboardMap::shortcutsTold_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("digit") << "key_5" << QStringList{"5", "Num 5"};
    QTest::newRow("quick key") << "key_g0" << QStringList{"Shift+0", "Shift+Num 0"};
    QTest::newRow("run / stop") << "RunStop" << QStringList{"Q"};
    QTest::newRow("push") << "key_push" << QStringList{"Enter", "Down"};
    QTest::newRow("hold bar") << "key_hold_bar" << QStringList{"Space", "H"};
    QTest::newRow("hold sends what the bar sends") << "key_hold" << QStringList{"Space", "H"};
    QTest::newRow("no") << "key_no" << QStringList{"Num .", "."};
    QTest::newRow("func") << "key_f" << QStringList{"F"};
    QTest::newRow("left") << "key_left" << QStringList{"Left"};
    QTest::newRow("none for lock") << "key_lock" << QStringList{};
    QTest::newRow("none for light") << "key_light" << QStringList{};
}

void TestKeyboardMap::shortcutsTold()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, keys);
    QCOMPARE(keyboardShortcuts(operation), keys);
}

void TestKeyboardMap::helpListsEveryShortcutOnce()
{
    const QList<KeyHelpRow> rows = keyboardHelpRows();
    QCOMPARE(keyToolTip(QStringLiteral("key_7")),
             QStringLiteral("7, Func RCL\nKeyboard: 7 or Num 7"));
    // All keys' tips at once, each as its own.
    const QHash<QString, QString> tips = keyToolTips(drawnKeyNames());
    QCOMPARE(tips.value(QStringLiteral("key_7")), keyToolTip(QStringLiteral("key_7")));
    QVERIFY(
        tips.value(QStringLiteral("key_hold_bar"))
            .endsWith(keyboardShortcuts(QStringLiteral("key_hold")).join(QStringLiteral(" or "))));
    QStringList told;
    for (const KeyHelpRow &row : rows)
        told += row.keys.split(QStringLiteral(" or "));
    QCOMPARE(QSet<QString>(told.cbegin(), told.cend()).size(), told.size());
    // 10 digits, 10 quick keys, Q M F S, H, Enter, arrows, period; F1 and
    // the layout steps.
    QCOMPARE(rows.size(), 10 + 10 + 4 + 1 + 1 + 2 + 1 + 3);
    QVERIFY(told.contains(QStringLiteral("Ctrl+=")));
}

QTEST_GUILESS_MAIN(TestKeyboardMap)
#include "tst_keyboardmap.moc"
