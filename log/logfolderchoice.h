#pragma once

#include <QString>

// The outcome of the "Log Directory" button: the folder to keep and the text
// that tells the user about it.
struct LogFolderChoice
{
    // False when the picker was cancelled: nothing changes and nothing is said.
    bool changed = true;
    QString logFolder;
    QString message;
};

// picked is what the folder picker returned (empty when it was cancelled).
// An absolute path is kept; anything else falls back to the data folder.
LogFolderChoice chooseLogFolder(const QString &picked, const QString &dataFolder);

// Moves this run's log file from the folder it was written in to the newly
// chosen one, so that no run is ever kept in two folders. Nothing happens
// when from and to are the same file or there is no file at from. The file
// reaches its new place whole (written beside it, then renamed) before the
// old one goes; on failure the old file stays and the reason comes back in
// words for the user. Returns an empty text on success.
QString moveRunFile(const QString &from, const QString &to);
