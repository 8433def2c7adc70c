#pragma once

#include "log/historyhit.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// One run log file "<date>_<time>.txt" of an earlier run.
struct HistoryRun
{
    QString name;   // the file name without ".txt", e.g. "12-06-2026_3-45-12-PM"
    QString folder; // where the file was found (its recordings are looked for there first)
    QDate date;
    int startSeconds = -1; // the start time of the run, -1 when unreadable
};

// Everything read from the run files, newest run first and each run's hits
// newest first, as the files hold them.
struct HistoryLoad
{
    QList<HistoryRun> runs;
    QList<HistoryHit> hits;
    int skippedLines = 0;
    int filesWithSkips = 0;
};

// Whether fileName is a run log file's name; fills *run (name, date, start).
bool isRunFileName(const QString &fileName, HistoryRun *run);

// The run files in the folders (each folder once, however it is written),
// newest run first. A run found in more than one folder is listed once, from
// the folder whose copy was written last. The file called excludeName (this run's own file, whose
// hits come in live) is left out.
QList<HistoryRun> findRunFiles(const QStringList &folders, const QString &excludeName);

// Adds the hit lines of one file's contents to load under run number runIndex.
// Empty lines are passed over; any other line that is not a hit line
// (damaged, cut short, foreign text) is skipped and counted. Returns the
// number of lines skipped.
int readRunFile(const QByteArray &contents, int runIndex, HistoryLoad &load);

// "3 lines skipped in 2 files"; empty when nothing was skipped.
QString skippedText(int lines, int files);
