#pragma once

#include <QList>
#include <QString>

// A recording the hit database knows and has not deleted.
struct KeptRecording
{
    qint64 hit = 0; // the hit's row
    QString path;
    qint64 bytes = 0;
    qint64 startUtc = 0; // the hit's start
};

// "Keep recordings for N days" and "at most N GB"; 0 leaves a limit off.
struct RetentionLimits
{
    int days = 0;
    int gigabytes = 0;
    bool isOff() const { return days <= 0 && gigabytes <= 0; }
};

// The recordings to delete out of the oldest ones (oldest first; totalBytes
// is the size of all that are kept): those of hits older than the days, then,
// oldest first, as many more as it takes to bring the rest within the
// gigabytes.
QList<KeptRecording> recordingsToDelete(const QList<KeptRecording> &oldestFirst, qint64 totalBytes,
                                        const RetentionLimits &limits, qint64 nowUtc);

// recording_limits.txt: the days, then the gigabytes, one a line; 0 or a
// missing or unreadable line is off.
RetentionLimits readRetentionLimits(const QByteArray &file);
QByteArray writeRetentionLimits(const RetentionLimits &limits);

// "Deleted 3 recordings (1.2 MB freed)".
QString freedText(int recordings, qint64 bytes);
