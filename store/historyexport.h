#pragma once

#include "log/historyfilter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class HitStore;

// The history's "Export CSV..." table of what the filter shows, newest hit
// first: the header and, per hit, its seven log fields and its run.
QByteArray historyCsv(HitStore &store, const HistoryFilter &filter, const QString &thisRun);

// The export without a window: opens the database, reads into it the run
// files of the folders not read before, and writes the table to csvPath.
// Returns an empty text, or why it failed.
QString exportHistory(const QString &databasePath, const QStringList &runFolders,
                      const HistoryFilter &filter, const QString &csvPath);
