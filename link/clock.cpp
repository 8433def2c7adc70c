#include "link/clock.h"

#include <QRegularExpression>

QDateTime localTimeAt(qint64 msecsSinceEpoch, LocalOffsetCache &cache)
{
    // Minutes counted down from the epoch too, so each holds 60,000 ms.
    const qint64 minute = msecsSinceEpoch / 60000 - (msecsSinceEpoch % 60000 < 0 ? 1 : 0);
    if (minute != cache.minute) {
        cache.minute = minute;
        cache.offsetSeconds = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch).offsetFromUtc();
    }
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, Qt::OffsetFromUTC, cache.offsetSeconds);
}

QString timeOfDayFormat(const QLocale &locale)
{
    // The long format is the one that carries seconds; drop its time zone
    // token ("t", "tt", ...) and the blank in front of it.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    if (!format.contains(QLatin1Char('s')))
        format = QStringLiteral("HH:mm:ss");
    return format.trimmed();
}

QString timeOfDayText(QTime time, const QLocale &locale)
{
    return timeOfDayText(time, locale, timeOfDayFormat(locale));
}

QString timeOfDayText(QTime time, const QLocale &locale, const QString &format)
{
    return locale.toString(time, format);
}

QString dateText(QDate date)
{
    return date.toString(QStringLiteral("MM-dd-yyyy"));
}
