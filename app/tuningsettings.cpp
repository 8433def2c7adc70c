#include "app/tuningsettings.h"

#include "link/settingstext.h"
#include "tuning/directentry.h"

#include <QList>

#include <cctype>

namespace {

constexpr int modulationCount = 4;
constexpr int levelCount = 16;

std::optional<int> indexIn(const QByteArray &line, int count)
{
    const int value = SettingsText::leadingInt(line);
    if (value >= 0 && value < count)
        return value;
    return std::nullopt;
}

std::optional<QString> entryText(const QByteArray &line)
{
    const QString text = SettingsText::unquoted(line);
    if (checkDirectEntry(text) == DirectEntryState::Refused)
        return std::nullopt;
    return text;
}

QByteArray indexLine(const std::optional<int> &index)
{
    return index ? QByteArray::number(*index) : QByteArray();
}

QByteArray textLine(const std::optional<QString> &text)
{
    return text ? SettingsText::quoted(*text) : QByteArray();
}

} // namespace

QByteArray listLine(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('%', "%25");
    bytes.replace('"', "%22");
    bytes.replace('\r', "%0D");
    bytes.replace('\n', "%0A");
    return '"' + bytes + '"';
}

QString listText(const QByteArray &line)
{
    // Only a "%" with two hex digits stands for a byte; any other "%" in a
    // file edited by hand stays as it is.
    QByteArray bytes;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (c == '"')
            continue;
        const QByteArray hex = c == '%' ? line.mid(i + 1, 2) : QByteArray();
        if (hex.size() == 2 && std::isxdigit(uchar(hex[0])) && std::isxdigit(uchar(hex[1]))) {
            bytes += char(hex.toInt(nullptr, 16));
            i += 2;
        } else {
            bytes += c;
        }
    }
    return QString::fromUtf8(bytes);
}

TuningSettings readTuningSettings(const QByteArray &file)
{
    const QList<QByteArray> lines = SettingsText::lines(file);
    TuningSettings s;
    if (lines.size() > 0)
        s.entry1 = entryText(lines[0]);
    if (lines.size() > 1)
        s.modulation1 = indexIn(lines[1], modulationCount);
    if (lines.size() > 2)
        s.entry2 = entryText(lines[2]);
    if (lines.size() > 3)
        s.modulation2 = indexIn(lines[3], modulationCount);
    if (lines.size() > 4)
        s.volume = indexIn(lines[4], levelCount);
    if (lines.size() > 5)
        s.squelch = indexIn(lines[5], levelCount);
    if (lines.size() > 6)
        s.skipList = listText(lines[6]);
    if (lines.size() > 7)
        s.quickScanList = listText(lines[7]);
    return s;
}

QByteArray writeTuningSettings(const TuningSettings &s)
{
    return SettingsText::join({textLine(s.entry1), indexLine(s.modulation1), textLine(s.entry2),
                               indexLine(s.modulation2), indexLine(s.volume), indexLine(s.squelch),
                               s.skipList ? listLine(*s.skipList) : QByteArray(),
                               s.quickScanList ? listLine(*s.quickScanList) : QByteArray()});
}
