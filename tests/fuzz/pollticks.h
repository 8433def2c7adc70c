#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What the fuzzer and the corpus replay feed the poll: one input holds the
// snapshot reads of several poll ticks, each cut from the next by the line
// "~" ("\n~\n"). The radio never sends that: its replies end in CR.
QList<QByteArray> snapshotReads(const QByteArray &input);

// Runs the reads through everything a poll tick does with them: reply
// splitting, the diagnostics line, the six- and four-line screen decode, the
// hit detector from tick to tick, the log line, the log text and the log
// table. Returns what went wrong (a log line with the wrong number of
// columns or with control characters, a table that does not show the line),
// or an empty text when everything held.
QString runPollTicks(const QByteArray &input);
