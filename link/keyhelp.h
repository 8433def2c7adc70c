#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The keyboard shortcuts as the user reads them, found by asking the
// keyboard map itself, so what the help says is what the keys do.

// The keys that run an operation of the keyboard map ("RunStop", "key_5",
// "key_g5", "key_push" ...), as printed: "5", "Num 5", "Shift+5", "Enter".
// A drawn key whose commands are the same as another key's (key_hold and
// key_hold_bar) has that key's shortcuts too.
QStringList keyboardShortcuts(const QString &operation);

// A drawn key's tool tip: its accessible name, then "Keyboard: " and its
// shortcuts joined by " or "; the name alone for a key without one.
QString keyToolTip(const QString &keyName);
// The tool tips of the given keys at once, as keyToolTip gives each: the
// keyboard map is read once for all of them.
QHash<QString, QString> keyToolTips(const QStringList &keyNames);

// One line of the full list of keys.
struct KeyHelpRow
{
    QString keys;   // "Shift+5 or Shift+Num 5"
    QString action; // "Radio key 5, Func G5"

    bool operator==(const KeyHelpRow &other) const = default;
};

// Every keyboard shortcut of the window: the radio's keys in keypad order,
// Run/Stop, then the window's own (windowKeyHelp).
QList<KeyHelpRow> keyboardHelpRows();

// The window's own keys, in the portable text of a key sequence.
struct WindowKey
{
    enum Action { KeyHelp, LayoutSmaller, LayoutLarger };
    Action action;
    QStringList sequences; // "Ctrl++", "Ctrl+="
    QString description;
};

QList<WindowKey> windowKeys();
