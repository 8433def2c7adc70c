#include "log/historyhit.h"

namespace {

constexpr int secondsPerDay = 24 * 60 * 60;

// The number the ASCII digits spell, or -1.
int digitsValue(QStringView digits)
{
    int value = 0;
    for (const QChar digit : digits) {
        if (digit < u'0' || digit > u'9')
            return -1;
        value = value * 10 + (digit.unicode() - u'0');
    }
    return value;
}

// "MM-dd-yyyy", read by hand: every line of a run file holds it.
QDate runDate(QStringView text)
{
    if (text.size() != 10 || text[2] != u'-' || text[5] != u'-')
        return {};
    const int month = digitsValue(text.mid(0, 2));
    const int day = digitsValue(text.mid(3, 2));
    const int year = digitsValue(text.mid(6, 4));
    if (month < 0 || day < 0 || year < 0)
        return {};
    return QDate(year, month, day);
}

// Whether the text holds "am" or "pm" (any case, dots allowed: "p.m.").
bool hasMarker(QStringView text, char16_t first)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i].toLower() != first)
            continue;
        const qsizetype m = text[i + 1] == u'.' ? i + 2 : i + 1;
        if (m < text.size() && text[m].toLower() == u'm')
            return true;
    }
    return false;
}

} // namespace

bool parseHitLine(QStringView line, const QString &runName, HistoryHit *hit)
{
    if (line.contains(QChar(0)) || line.contains(QChar::ReplacementCharacter))
        return false;
    int field = 0;
    qsizetype start = 0;
    while (field < HistoryHit::FieldCount) {
        const qsizetype tab = line.indexOf(u'\t', start);
        const qsizetype end = tab < 0 ? line.size() : tab;
        if ((tab < 0) != (field == HistoryHit::FieldCount - 1))
            return false;
        hit->fields[field++] = line.mid(start, end - start).toString();
        start = end + 1;
    }
    if (!hit->fields[0].contains(QLatin1String(" / ")))
        return false;
    hit->date = runDate(hit->fields[6]);
    if (!hit->date.isValid())
        return false;
    hit->airSeconds = airSeconds(hit->fields[4], hit->fields[5]);
    QString haystack;
    haystack.reserve(line.size() + runName.size() + 1);
    for (const QString &f : hit->fields)
        haystack += f + u'\t';
    hit->haystack = (haystack + runName).toLower();
    return true;
}

int secondsOfDay(QStringView text)
{
    int parts[3] = {-1, -1, -1};
    int count = 0;
    for (qsizetype i = 0; i < text.size() && count < 3;) {
        if (!text[i].isDigit()) {
            ++i;
            continue;
        }
        int value = 0;
        int digits = 0;
        for (; i < text.size() && text[i].isDigit(); ++i, ++digits)
            value = value * 10 + text[i].digitValue();
        if (digits > 2)
            return -1;
        parts[count++] = value;
    }
    if (count < 3 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        return -1;
    int hours = parts[0];
    const bool pm = hasMarker(text, u'p');
    if (hours < 12 && pm)
        hours += 12;
    else if (hours == 12 && !pm && hasMarker(text, u'a'))
        hours = 0;
    return (hours * 60 + parts[1]) * 60 + parts[2];
}

int airSeconds(QStringView start, QStringView end)
{
    const int from = secondsOfDay(start);
    const int to = secondsOfDay(end);
    if (from < 0 || to < 0)
        return -1;
    return to >= from ? to - from : to + secondsPerDay - from;
}

QString durationText(qint64 seconds)
{
    const qint64 h = seconds / 3600;
    const qint64 m = seconds / 60 % 60;
    const qint64 s = seconds % 60;
    if (h > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(h)
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
}
