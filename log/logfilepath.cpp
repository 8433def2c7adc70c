#include "log/logfilepath.h"

#include "log/fixforlog.h"

#include <QDir>

bool isLogFolder(const QString &logFolder)
{
    return !logFolder.isEmpty() && QDir::isAbsolutePath(logFolder);
}

QString effectiveLogFolder(const QString &logFolder, const QString &dataFolder)
{
    return isLogFolder(logFolder) ? logFolder : dataFolder;
}

QString hitLogFileName(const QString &startupDate, const QString &startupTime)
{
    QString date = startupDate;
    QString time = startupTime;
    return FixForLog(date) + u'_' + FixForLog(time) + QStringLiteral(".txt");
}

QString hitLogFilePath(const QString &logFolder, const QString &dataFolder,
                       const QString &startupDate, const QString &startupTime)
{
    return QDir(effectiveLogFolder(logFolder, dataFolder))
        .filePath(hitLogFileName(startupDate, startupTime));
}
