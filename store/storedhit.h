#pragma once

#include <QString>

// One logged hit as the hit database keeps it. A hit is known by its run (the
// run's log file name without ".txt", which is the run's start as logged) and
// its line: its number within the run, the run's first hit being 1.
struct StoredHit
{
    enum Kind { UnknownKind = 0, Conventional = 1, Trunked = 2 };

    QString run;  // "12-06-2026_3-45-12-PM"
    int line = 0; // 1 for the run's first hit
    QString system;
    QString group;
    QString channel;
    QString frequency;
    QString code;      // the tone of a conventional hit, the talkgroup of a trunked one
    QString startText; // the times as the log line holds them, local time
    QString endText;
    qint64 startUtc = 0; // seconds since 1970, UTC
    qint64 endUtc = 0;
    Kind kind = UnknownKind;
    QString recordingPath; // as the recorder saved it, or empty
    qint64 recordingMs = -1;
    qint64 recordingBytes = 0;
};

// A hit's recording as it was saved, for a hit stored before.
struct StoredRecording
{
    QString run;
    int line = 0;
    QString path;
    qint64 ms = -1;
    qint64 bytes = 0;
    bool deleted = false;
};
