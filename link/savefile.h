#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path by bytes, whole or not at all: the bytes go to a
// temporary file beside it, are flushed and checked, and only then does the
// temporary file take the file's place. On any failure (a full disk among
// them) the temporary file is thrown away and the old file stays as it was.
// Returns an empty text on success, else why it failed in words for the user.
QString saveWholeFile(const QString &path, const QByteArray &bytes);
