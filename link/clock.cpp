#include "link/clock.h"

namespace {

// As a regular expression's \s and \w see them: ASCII only.
bool isBlank(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool isWordChar(QChar c)
{
    return c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_');
}

} // namespace

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

QString withoutTimeZone(const QString &format)
{
    QString kept;
    qsizetype from = 0; // the first character not yet copied
    for (qsizetype at = 0; at < format.size();) {
        qsizetype t = at;
        while (t < format.size() && isBlank(format[t]))
            ++t;
        qsizetype end = t;
        while (end < format.size() && format[end] == u't')
            ++end;
        const bool wordStarts = t == 0 || !isWordChar(format[t - 1]);
        const bool wordEnds = end == format.size() || !isWordChar(format[end]);
        if (end > t && wordStarts && wordEnds) {
            kept += QStringView(format).sliced(from, at - from);
            from = at = end;
        } else {
            ++at;
        }
    }
    kept += QStringView(format).sliced(from);
    return kept;
}

QString timeOfDayFormat(const QLocale &locale)
{
    // The long format is the one that carries seconds; drop its time zone
    // token ("t", "tt", ...) and the blank in front of it.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format = withoutTimeZone(format);
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
