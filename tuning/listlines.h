#pragma once

#include <QString>
#include <QStringList>

// The lines of a typed list. Lines end with CR LF, or with a bare LF as a
// text box gives them; an empty text has no lines.
QStringList listLines(const QString &text);
