#include "link/settingstext.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace SettingsText {

QByteArray quoted(const QString &text)
{
    QString plain = text;
    plain.remove(QLatin1Char('"'));
    return '"' + plain.toUtf8() + '"';
}

QByteArray join(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + "\r\n";
    return out;
}

QList<QByteArray> lines(const QByteArray &file)
{
    QList<QByteArray> out;
    qsizetype start = 0;
    const qsizetype n = file.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = file.at(i);
        if (c != '\r' && c != '\n')
            continue;
        out.append(file.mid(start, i - start));
        if (c == '\r' && i + 1 < n && file.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        out.append(file.mid(start));
    return out;
}

namespace {

// Like the old Val(): skip blanks, take an optional sign, digits and one
// point; anything else ends the number. No digits at all: nullopt. A number
// too large for a double comes back infinite.
std::optional<double> parseLeading(const QByteArray &line)
{
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n && (line.at(i) == ' ' || line.at(i) == '\t'))
        ++i;
    const qsizetype begin = i;
    if (i < n && (line.at(i) == '-' || line.at(i) == '+'))
        ++i;
    bool digits = false;
    bool point = false;
    while (i < n) {
        const char c = line.at(i);
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (!digits)
        return std::nullopt;
    const QByteArray text = line.mid(begin, i - begin);
    return std::strtod(text.constData(), nullptr);
}

} // namespace

double leadingNumber(const QByteArray &line)
{
    const std::optional<double> value = parseLeading(line);
    return value && std::isfinite(*value) ? *value : 0;
}

int leadingInt(const QByteArray &line)
{
    const std::optional<double> value = parseLeading(line);
    if (!value)
        return 0;
    if (!(*value <= 2147483647.0 && *value >= -2147483647.0))
        return std::numeric_limits<int>::min();
    return static_cast<int>(*value);
}

QString unquoted(const QByteArray &line)
{
    QString text = QString::fromUtf8(line);
    text.remove(QLatin1Char('"'));
    return text;
}

QByteArray number(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QByteArray::number(static_cast<qint64>(value));
    return QByteArray::number(value, 'g', 15);
}

} // namespace SettingsText
