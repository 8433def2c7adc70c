#pragma once

#include <QByteArray>
#include <QString>

// The 44-byte header of a 16-bit PCM wave file holding dataBytes of
// samples. Sizes beyond what the header can hold are cut to its limit.
QByteArray waveHeader(int sampleRate, int channels, qint64 dataBytes);

// Puts the finished wave file at from in the place of to: a rename when both
// are on one file system, otherwise a copy through a temporary file beside
// to, after which from is removed. A file already at to is never replaced.
// On failure from stays as it was and *error says why.
bool moveRecordingFile(const QString &from, const QString &to, QString *error);
