#pragma once

#include "link/keyoperations.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A macro text is a series of items separated by single spaces; each item is
// what follows "KEY," in one key command (e.g. "F,H" or "1,P"). Items are
// sent as typed, not checked.

// The items of a macro text, split at every single space: two spaces in a
// row, a leading or a trailing space each give an empty item; an empty text
// gives no items. Characters outside Latin-1, and line breaks or other
// control characters that would end or garble the command line, become "?".
QList<QByteArray> macroItems(const QString &text);

// A macro box holds one line: every line break in the text (CR LF, CR, LF
// and the Unicode line and paragraph separators) becomes one space, that
// is an item separator.
QString oneLineMacroText(const QString &text);

// The commands of a macro: "KEY," and the item, 100 ms after every item, the
// last one included.
QList<CommandStep> macroSteps(const QString &text);

constexpr int macroItemWaitMs = 100;

// macro_settings.txt: the three macro texts, one quoted line each with every
// double quote removed and line breaks made spaces, lines ended by CR LF, so
// the file always has exactly three lines. Missing texts are written empty;
// texts after the third are not written.
QByteArray macroSettingsFile(const QStringList &texts);

// The three macro texts of macro_settings.txt, double quotes removed; lines
// after the third are ignored, missing lines give empty texts.
QStringList readMacroSettings(const QByteArray &file);

constexpr int macroCount = 3;
