#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One command line for the radio and how long to wait after it before the
// next one leaves.
struct CommandStep
{
    QByteArray command;
    int waitAfterMs = 0;

    bool operator==(const CommandStep &other) const = default;
};

// The commands a click on a drawn key sends, in order. Empty for the two
// toggles (key_f, key_rev: see fKeyToggle, revKeyToggle), the macro keys
// (key_m1 to key_m3: they play a macro text) and unknown names.
QList<CommandStep> keyOperation(const QString &keyName);

// True for the keys that stop the quick scan before their commands leave.
bool keyStopsQuickScan(const QString &keyName);

// The toggle steps for the current held state: held -> the release, not
// held -> the hold.
QList<CommandStep> fKeyToggle(bool held);
QList<CommandStep> revKeyToggle(bool held);

// True for key_f and key_rev.
bool isToggleKey(const QString &keyName);

// 1, 2 or 3 for key_m1, key_m2, key_m3; 0 for every other key.
int macroKeyNumber(const QString &keyName);

// Every drawn key of the panel, key_hold_bar included.
QStringList drawnKeyNames();
