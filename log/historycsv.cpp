#include "log/historycsv.h"

#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    // A write or flush that fails leaves the old file in place.
    if (file.write(data) != data.size() || !file.flush()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
