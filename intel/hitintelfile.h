#pragma once

#include <QByteArray>
#include <QString>

// hit_intel.txt in the given folder.
QString hitIntelPath(const QString &folder);

// Replaces the file by the text. The text goes to a temporary file beside it
// that then takes the file's place, so a failed write leaves the old file as
// it was; *error then says why.
bool writeHitIntelFile(const QString &path, const QByteArray &text, QString *error);
