#pragma once

#include "log/historyreader.h"

#include <QString>
#include <QStringList>

// Everything the run files of the folders hold, read at once: the runs
// newest first and their hits as the files hold them, for the tests to
// compare the hit database's answers with.
HistoryLoad readRunFolders(const QStringList &folders, const QString &excludeName);
