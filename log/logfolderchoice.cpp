#include "log/logfolderchoice.h"

#include "link/savefile.h"
#include "log/logfilepath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

LogFolderChoice chooseLogFolder(const QString &picked, const QString &dataFolder)
{
    if (picked.isEmpty())
        return {false, {}, {}};
    if (isLogFolder(picked))
        return {true, picked, QStringLiteral("Log Directory now set to ") + picked};
    return {true, dataFolder, QStringLiteral("Log Directory defaulting back to ") + dataFolder};
}

QString moveRunFile(const QString &from, const QString &to)
{
    const QFileInfo source(from);
    if (!source.exists() || source.absoluteFilePath() == QFileInfo(to).absoluteFilePath())
        return {};
    QFile file(from);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray bytes = file.readAll();
    file.close();
    // Across file systems a rename is a copy that can stop half way: the
    // whole file is saved in the new folder first.
    QString why = saveWholeFile(to, bytes);
    if (!why.isEmpty())
        return why;
    if (!QFile::remove(from))
        return QStringLiteral("%1 could not be removed").arg(QDir::toNativeSeparators(from));
    return {};
}
