#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated values for a spreadsheet: UTF-8, one record per line ended
// by CR LF, a field quoted (its quotes doubled) when it holds a comma, a
// quote, a CR or an LF.
QByteArray csvRecord(const QStringList &fields);
QByteArray csvTable(const QStringList &header, const QList<QStringList> &rows);
