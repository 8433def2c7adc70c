#include "link/clock.h"

#include <QRegularExpression>

QString timeOfDayText(QTime time, const QLocale &locale)
{
    // The long format is the one that carries seconds; drop its time zone
    // token ("t", "tt", ...) and the blank in front of it.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    if (!format.contains(QLatin1Char('s')))
        format = QStringLiteral("HH:mm:ss");
    return locale.toString(time, format.trimmed());
}

QString dateText(QDate date)
{
    return date.toString(QStringLiteral("MM-dd-yyyy"));
}
