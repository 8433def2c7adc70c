#include "tuning/listlines.h"

QStringList listLines(const QString &text)
{
    if (text.isEmpty())
        return {};
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return plain.split(QLatin1Char('\n'));
}
