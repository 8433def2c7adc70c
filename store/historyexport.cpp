#include "store/historyexport.h"

#include "link/savefile.h"
#include "log/historycsv.h"
#include "log/historymodel.h"
#include "store/hitstore.h"

#include <QDir>
#include <QFile>

namespace {

constexpr qint64 rowsPerPage = 10000;

} // namespace

QByteArray historyCsv(HitStore &store, const HistoryFilter &filter, const QString &thisRun)
{
    QStringList header = HistoryModel::header();
    header.removeLast();
    QByteArray csv = csvRecord(header);
    for (qint64 offset = 0;; offset += rowsPerPage) {
        const QList<QStringList> page = store.rows(filter, thisRun, offset, rowsPerPage);
        for (const QStringList &row : page)
            csv += csvRecord(row);
        if (page.size() < rowsPerPage)
            break;
    }
    return csv;
}

QString exportHistory(const QString &databasePath, const QStringList &runFolders,
                      const HistoryFilter &filter, const QString &csvPath)
{
    HitStore store;
    if (store.open(databasePath) != HitStore::Fault::None)
        return QStringLiteral("The hit database %1 could not be opened: %2")
            .arg(QDir::toNativeSeparators(databasePath), store.lastError());
    for (const HistoryRun &run : findRunFiles(runFolders, {})) {
        QFile file(QDir(run.folder).filePath(run.name + QStringLiteral(".txt")));
        if (file.open(QIODevice::ReadOnly))
            store.importRunFile(run, file.readAll());
    }
    const QString error = saveWholeFile(csvPath, historyCsv(store, filter, {}));
    if (!error.isEmpty())
        return QStringLiteral("The file %1 could not be written: %2")
            .arg(QDir::toNativeSeparators(csvPath), error);
    return {};
}
