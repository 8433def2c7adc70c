#include "runfolders.h"

#include <QDir>
#include <QFile>

HistoryLoad readRunFolders(const QStringList &folders, const QString &excludeName)
{
    HistoryLoad load;
    load.runs = findRunFiles(folders, excludeName);
    for (int i = 0; i < load.runs.size(); ++i) {
        QFile file(QDir(load.runs[i].folder).filePath(load.runs[i].name + QStringLiteral(".txt")));
        if (file.open(QIODevice::ReadOnly))
            readRunFile(file.readAll(), i, load);
    }
    return load;
}
