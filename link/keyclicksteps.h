#pragma once

#include "link/commandsequencer.h"

#include <QList>
#include <QString>

#include <functional>

// What the window does around a key's commands. Each hook may be empty.
struct KeyClickHooks
{
    // key_scan and key_cconly: stops the quick scan before their commands.
    std::function<void()> stopQuickScan;
    // key_f and key_rev: shows the key's new held state after its commands.
    std::function<void(bool held)> showHeld;
    // key_f and key_rev: called right after the command that holds or lets
    // go the key on the radio (F for key_f, "." for key_rev), so the caller
    // knows what the radio last received even when a sequence is cut off.
    std::function<void(bool held)> radioHeld;
    // key_m1 to key_m3: the text of macro 1, 2 or 3.
    std::function<QString(int macro)> macroText;
};

// All steps of one click on a drawn key, ready for CommandSequencer::play().
// For key_f and key_rev, held is the key's held state before this click; the
// caller flips its own flag as soon as it asks for the steps, so that a
// second click queued behind this one gets the other half of the toggle.
QList<CommandSequencer::Step> keyClickSteps(const QString &keyName, bool held,
                                            const KeyClickHooks &hooks);
