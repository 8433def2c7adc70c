#pragma once

#include <QHash>
#include <QString>

class KeyButton;
class QWidget;

// Creates every drawn key of the panel on the parent, at its place in the
// "full" layout, each with its key name as object name (key_hold,
// key_1, ..., key_hold_bar). key_f and key_rev show their held state; the
// scroll keys show arrows.
QHash<QString, KeyButton *> createKeypad(QWidget *parent);
