#include "link/keyboardmap.h"

namespace {

constexpr int keyCodeEnter = 13;
constexpr int keyCodeSpace = 32;
constexpr int keyCodeLeft = 37;
constexpr int keyCodeUp = 38;
constexpr int keyCodeRight = 39;
constexpr int keyCodeDown = 40;
constexpr int keyCodeDigit0 = 48;
constexpr int keyCodePad0 = 96;
constexpr int keyCodePadDecimal = 110;
constexpr int keyCodePeriod = 190;

constexpr int shiftAlone = 1;

// X11 key codes of the main digit row ("1" to "9", then "0") and the period.
constexpr quint32 scanCodeDigit1 = 10;
constexpr quint32 scanCodeDigit0 = 19;
constexpr quint32 scanCodePeriod = 60;

// The symbol a US keyboard gives for Shift and a digit key (or the period),
// as that key's code.
int usShiftedSymbolKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_ParenRight:
        return keyCodeDigit0;
    case Qt::Key_Exclam:
        return keyCodeDigit0 + 1;
    case Qt::Key_At:
        return keyCodeDigit0 + 2;
    case Qt::Key_NumberSign:
        return keyCodeDigit0 + 3;
    case Qt::Key_Dollar:
        return keyCodeDigit0 + 4;
    case Qt::Key_Percent:
        return keyCodeDigit0 + 5;
    case Qt::Key_AsciiCircum:
        return keyCodeDigit0 + 6;
    case Qt::Key_Ampersand:
        return keyCodeDigit0 + 7;
    case Qt::Key_Asterisk:
        return keyCodeDigit0 + 8;
    case Qt::Key_ParenLeft:
        return keyCodeDigit0 + 9;
    case Qt::Key_Greater:
        return keyCodePeriod;
    default:
        return 0;
    }
}

// The key code of a physical key of the main row, from its X11 key code.
int scanCodeKeyCode(quint32 scanCode)
{
    if (scanCode >= scanCodeDigit1 && scanCode < scanCodeDigit0)
        return keyCodeDigit0 + 1 + int(scanCode - scanCodeDigit1);
    if (scanCode == scanCodeDigit0)
        return keyCodeDigit0;
    if (scanCode == scanCodePeriod)
        return keyCodePeriod;
    return 0;
}

} // namespace

int windowsShiftState(Qt::KeyboardModifiers modifiers)
{
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state += 1;
    if (modifiers & Qt::ControlModifier)
        state += 2;
    if (modifiers & Qt::AltModifier)
        state += 4;
    if (modifiers & Qt::MetaModifier)
        state += 8;
    return state;
}

int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode)
{
    const bool keypad = modifiers & Qt::KeypadModifier;

    // A letter's key code does not depend on its case.
    if (qtKey >= 'a' && qtKey <= 'z')
        qtKey -= 'a' - 'A';
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? keyCodePad0 : keyCodeDigit0) + (qtKey - Qt::Key_0);

    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keyCodeEnter;
    case Qt::Key_Space:
        return keyCodeSpace;
    case Qt::Key_Left:
        return keyCodeLeft;
    case Qt::Key_Up:
        return keyCodeUp;
    case Qt::Key_Right:
        return keyCodeRight;
    case Qt::Key_Down:
        return keyCodeDown;
    case Qt::Key_Period:
        return keypad ? keyCodePadDecimal : keyCodePeriod;
    case Qt::Key_Comma:
        // Some locales' numeric pads give a comma for the decimal point.
        return keypad ? keyCodePadDecimal : 0;
    default:
        break;
    }

    // Keypad symbols ("*" and the like) are never digits.
    if (keypad)
        return 0;
    // Where the platform says which physical key it was, that decides.
    if (nativeScanCode != 0)
        return scanCodeKeyCode(nativeScanCode);
    if (modifiers & Qt::ShiftModifier)
        return usShiftedSymbolKeyCode(qtKey);
    return 0;
}

QString keyboardOperationForKeyCode(int keyCode, int shiftState)
{
    if (keyCode == 'Q')
        return shiftState == shiftAlone ? QString() : QStringLiteral("RunStop");
    if (keyCode >= keyCodeDigit0 && keyCode <= keyCodeDigit0 + 9) {
        const QString digit = QString::number(keyCode - keyCodeDigit0);
        return (shiftState == shiftAlone ? QStringLiteral("key_g") : QStringLiteral("key_")) +
               digit;
    }
    if (keyCode >= keyCodePad0 && keyCode <= keyCodePad0 + 9)
        return keyboardOperationForKeyCode(keyCode - keyCodePad0 + keyCodeDigit0, shiftState);

    switch (keyCode) {
    case 'M':
        return QStringLiteral("key_menu");
    case keyCodeRight:
        return QStringLiteral("key_right");
    case keyCodeLeft:
        return QStringLiteral("key_left");
    case keyCodeDown:
    case keyCodeEnter:
        return QStringLiteral("key_push");
    case 'F':
        return QStringLiteral("key_f");
    case 'S':
        return QStringLiteral("key_scan");
    case keyCodePadDecimal:
    case keyCodePeriod:
        return QStringLiteral("key_no");
    case 'H':
    case keyCodeSpace:
        return QStringLiteral("key_hold_bar");
    default:
        return {};
    }
}

QString keyboardOperation(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode)
{
    return keyboardOperationForKeyCode(windowsKeyCode(qtKey, modifiers, nativeScanCode),
                                       windowsShiftState(modifiers));
}
