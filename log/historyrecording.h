#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

// Where a hit's recording may be: the recorder names it after the hit's
// system, group, channel, frequency, tone, talkgroup, start and end time
// (each made safe by FixForLog, joined by "_"), then "_", the run's date and
// ".wav". The log line does not say whether its fourth field was a tone or a
// talkgroup, nor where the system name ends when it holds " / " itself, so
// every reading of it gives one candidate, most likely first.
// logLine is the hit line's seven TAB-separated fields without CR LF.
QStringList hitRecordingCandidates(const QString &logLine, const QString &runDate,
                                   const QString &folder);

// The length of a WAV recording in milliseconds from its header; -1 when the
// file is not a WAV file. A file still being written (its sizes not yet
// filled in) counts what is on disk.
qint64 wavDurationMs(QIODevice &device);
qint64 wavDurationMs(const QString &path);
