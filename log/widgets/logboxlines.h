#pragma once

#include <QString>

class QPlainTextEdit;

// The log box shows the log text, newest line at the top. Each new line goes
// in at the top without laying out the whole text again.
//
// A line laid out for display keeps its glyphs for as long as it lives (some
// kilobytes a line), so a box that gains a line with every hit for days
// would grow by far more than its text. Lines that have moved well below
// the box's view give that memory back; the box lays a line out again
// whenever it is shown.
void insertNewestLogLine(QPlainTextEdit *box, const QString &line);

// How far below the top a line must be before its layout is given back.
constexpr int logBoxLaidOutLines = 100;
