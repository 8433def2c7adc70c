#include "log/historycsv.h"

#include "link/savefile.h"

QByteArray csvRecord(const QStringList &fields)
{
    QByteArray record;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        QByteArray field = fields[i].toUtf8();
        if (field.contains(',') || field.contains('"') || field.contains('\r') ||
            field.contains('\n')) {
            field.replace('"', "\"\"");
            field = '"' + field + '"';
        }
        record += field;
    }
    return record + "\r\n";
}

QByteArray csvTable(const QStringList &header, const QList<QStringList> &rows)
{
    QByteArray table = csvRecord(header);
    for (const QStringList &row : rows)
        table += csvRecord(row);
    return table;
}

bool writeCsvFile(const QString &path, const QByteArray &data, QString *error)
{
    // Whole or not at all: a failed write leaves the old file in place.
    const QString why = saveWholeFile(path, data);
    if (why.isEmpty())
        return true;
    *error = why;
    return false;
}
