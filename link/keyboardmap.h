#pragma once

#include <QString>
#include <Qt>

// The window's keyboard shortcuts. The radio's keys are bound to the
// physical keys the Windows key codes name: digits on the main row and the
// numeric pad, Q, M, F, S, H, the arrows, Enter, Space and the period.
//
// nativeScanCode is the X11 / xkb key code (evdev code + 8) that Qt reports
// on the xcb and wayland platforms; pass 0 where the platform gives another
// kind of scan code. It lets the digit row work on layouts that put symbols
// on the unshifted digit keys (e.g. French) or other symbols on Shift+digit
// (e.g. German, British).

// The Windows key code of a key press: 48..57 digits of the main row, 96..105
// the numeric pad's digits, 65..90 letters, 13 Enter, 32 Space, 37/38/39/40
// the arrows, 110 the numeric pad's decimal point, 190 the main period; 0 for
// a key the shortcuts do not use.
int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode = 0);

// The Windows modifier state: Shift 1, Ctrl 2, Alt 4, added; Meta (the
// Windows key) adds 8 so that Shift with it is not "Shift alone". The
// numeric pad flag is not a modifier here.
int windowsShiftState(Qt::KeyboardModifiers modifiers);

// What a key press does: "RunStop", the name of a drawn key whose click
// operation runs ("key_g5", "key_5", "key_menu", "key_right", "key_left",
// "key_push", "key_f", "key_scan", "key_no", "key_hold_bar"), or "" for
// nothing. A repeated key press (the key held down) counts as a new press.
QString keyboardOperation(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode = 0);

// The same, on a Windows key code and modifier state.
QString keyboardOperationForKeyCode(int keyCode, int shiftState);
