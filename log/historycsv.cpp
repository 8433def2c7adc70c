#include "log/historycsv.h"

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
