#pragma once

#include "log/historyreader.h"
#include "store/storedhit.h"

#include <QByteArray>
#include <QDate>
#include <QList>

// A local date and time of day (seconds) as seconds since 1970, UTC.
qint64 localToUtc(QDate date, int secondsOfDay);

// The hits of one run file, oldest first, each numbered by its line counted
// from the oldest (the file holds them newest first). The hit's times are
// placed on the run's date, a day later each time a start goes back in the
// day. The file does not say whether a code is a tone or a talkgroup: its
// hits are of unknown kind.
struct RunFileHits
{
    QList<StoredHit> hits;
    int skippedLines = 0;
};
RunFileHits hitsOfRunFile(const HistoryRun &run, const QByteArray &contents);

// A live hit from its log line (seven TAB-separated fields, with or without
// CR LF), numbered line within the run. system and group tell where the
// first field divides; endUtc is when the hit ended.
StoredHit hitOfLogLine(const QString &run, int line, const QString &logLine, const QString &system,
                       const QString &group, bool trunked, qint64 endUtc);
