#pragma once

#include <QString>

// The outcome of the "Log Directory" button: the folder to keep and the text
// of the message box that tells the user about it.
struct LogFolderChoice
{
    QString logFolder;
    QString message;
};

// picked is what the folder picker returned (empty when it was cancelled).
// An absolute path is kept; anything else falls back to the data folder.
LogFolderChoice chooseLogFolder(const QString &picked, const QString &dataFolder);
