#include "log/logfolderchoice.h"

#include "log/logfilepath.h"

LogFolderChoice chooseLogFolder(const QString &picked, const QString &dataFolder)
{
    if (isLogFolder(picked))
        return {picked, QStringLiteral("Log Directory now set to ") + picked};
    return {dataFolder, QStringLiteral("Log Directory defaulting back to ") + dataFolder};
}
