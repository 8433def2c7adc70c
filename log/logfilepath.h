#pragma once

#include <QString>

// Where the run's hit log file goes. A chosen log folder is used only when it
// is an absolute path; anything else (empty, "logs", ...) means the data
// folder the program keeps its settings in.
bool isLogFolder(const QString &logFolder);
QString effectiveLogFolder(const QString &logFolder, const QString &dataFolder);

// "<startup date>_<startup time>.txt", e.g. "12-06-2026_3-45-12-PM.txt".
// Both parts are passed through FixForLog, so the name is always a plain
// file name even if a time format brings its own separators.
QString hitLogFileName(const QString &startupDate, const QString &startupTime);

QString hitLogFilePath(const QString &logFolder, const QString &dataFolder,
                       const QString &startupDate, const QString &startupTime);
