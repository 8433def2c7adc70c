#pragma once

#include <QString>

// Puts the finished wave file at from in the place of to. The file reaches
// its name whole or not at all: a rename when both are on one file system,
// otherwise a copy to a temporary name beside to that is flushed, checked
// against from's size and only then renamed to to. A file already at to is
// never replaced. On failure nothing is left beside to, from stays as it
// was (for a later try), and *error says why.
bool moveRecordingFile(const QString &from, const QString &to, QString *error);
