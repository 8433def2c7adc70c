#include "app/settingsfiles.h"

#include "link/savefile.h"
#include "link/settingstext.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

std::optional<int> indexIn(const QByteArray &line, int count, bool allowNone)
{
    const int value = SettingsText::leadingInt(line);
    if ((value >= 0 && value < count) || (allowNone && value == -1))
        return value;
    return std::nullopt;
}

std::optional<bool> checkValue(const QByteArray &line)
{
    const int value = SettingsText::leadingInt(line);
    if (value == 0 || value == 1)
        return value == 1;
    return std::nullopt;
}

// A window edge in twips, kept inside the range of int so that it always
// converts to a pixel position.
double windowEdge(const QByteArray &line)
{
    return std::clamp(SettingsText::leadingNumber(line), double(std::numeric_limits<int>::min()),
                      double(std::numeric_limits<int>::max()));
}

} // namespace

ComSettings readComSettings(const QByteArray &file)
{
    ComSettings settings;
    const QList<QByteArray> lines = SettingsText::lines(file);
    if (lines.size() > 0)
        settings.portIndex = indexIn(lines[0], comPortCount, true);
    if (lines.size() > 1)
        settings.speedIndex = indexIn(lines[1], speedCount, true);
    if (lines.size() > 2) {
        // A poll faster than 10 ms floods the line; slower than a minute is
        // no poll. Such a value is hand-edited nonsense and keeps 100.
        const int interval = SettingsText::leadingInt(lines[2]);
        if (interval >= 10 && interval <= 60000)
            settings.interval = interval;
    }
    if (lines.size() > 3 && !SettingsText::unquoted(lines[3]).isEmpty())
        settings.device = SettingsText::unquoted(lines[3]);
    return settings;
}

QByteArray writeComSettings(int portIndex, int speedIndex, int interval, const QString &device)
{
    QList<QByteArray> lines{QByteArray::number(portIndex), QByteArray::number(speedIndex),
                            QByteArray::number(interval)};
    if (!device.isEmpty())
        lines.append(SettingsText::quoted(device));
    return SettingsText::join(lines);
}

PgmSettings readPgmSettings(const QByteArray &file, int stateCount)
{
    PgmSettings settings;
    const QList<QByteArray> lines = SettingsText::lines(file);
    const auto line = [&lines](int n) -> const QByteArray * {
        return n < lines.size() ? &lines[n] : nullptr;
    };
    if (auto l = line(0))
        settings.tab = indexIn(*l, tabCount, false);
    if (auto l = line(1))
        settings.recordAudio = checkValue(*l);
    if (auto l = line(2))
        settings.logText = checkValue(*l);
    if (auto l = line(3))
        settings.alwaysOnTop = checkValue(*l);
    if (auto l = line(4))
        settings.state1 = indexIn(*l, stateCount, true);
    if (auto l = line(5))
        settings.state2 = indexIn(*l, stateCount, true);
    if (auto l = line(6))
        settings.layout = SettingsText::leadingInt(*l);
    if (auto l = line(7))
        settings.left = windowEdge(*l);
    if (auto l = line(8))
        settings.top = windowEdge(*l);
    if (auto l = line(9))
        settings.logFolder = SettingsText::unquoted(*l);
    return settings;
}

QByteArray writePgmSettings(const PgmValues &v)
{
    return SettingsText::join({
        QByteArray::number(v.tab),
        QByteArray::number(v.recordAudio ? 1 : 0),
        QByteArray::number(v.logText ? 1 : 0),
        QByteArray::number(v.alwaysOnTop ? 1 : 0),
        QByteArray::number(v.state1),
        QByteArray::number(v.state2),
        v.layout > 0 ? QByteArray::number(v.layout) : QByteArray(),
        SettingsText::number(v.left),
        SettingsText::number(v.top),
        SettingsText::quoted(v.logFolder),
    });
}

std::optional<QByteArray> readSettingsFile(const QString &path, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > maxBytes)
        return std::nullopt;
    return file.readAll();
}

bool writeSettingsFile(const QString &path, const QByteArray &bytes, QString *error)
{
    const QString why = saveWholeFile(path, bytes);
    if (why.isEmpty())
        return true;
    if (error)
        *error = why;
    return false;
}
