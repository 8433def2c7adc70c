#include "link/settingstext.h"

#include <cmath>
#include <cstdlib>

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

double leadingNumber(const QByteArray &line)
{
    // Like the old Val(): skip blanks, take an optional sign, digits and one
    // point; anything else ends the number.
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n && (line.at(i) == ' ' || line.at(i) == '\t'))
        ++i;
    const qsizetype begin = i;
    if (i < n && (line.at(i) == '-' || line.at(i) == '+'))
        ++i;
    bool digits = false;
    bool point = false;
    // Long runs of digits add nothing but risk; 40 characters hold any value
    // these files use.
    while (i < n && i - begin < 40) {
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
        return 0;
    const QByteArray text = line.mid(begin, i - begin);
    const double value = std::strtod(text.constData(), nullptr);
    return std::isfinite(value) ? value : 0;
}

int leadingInt(const QByteArray &line)
{
    const double value = leadingNumber(line);
    if (value > 2147483647.0 || value < -2147483648.0)
        return 0;
    return static_cast<int>(value);
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
