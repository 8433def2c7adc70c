#include "window/layoutchoice.h"

#include "link/settingstext.h"
#include "link/twips.h"

QString layoutCaption(const QString &mode)
{
    static const QStringList captions = {
        QStringLiteral("Full"),
        QStringLiteral("Maxi"),
        QStringLiteral("Mini"),
        QStringLiteral("Display And Hold"),
        QStringLiteral("Display Only"),
        QStringLiteral("Display Only, No Title Bar"),
        QStringLiteral("Floating Taskbar"),
    };
    const qsizetype at = layoutNames().indexOf(mode);
    return at < 0 ? QString() : captions.at(at);
}

QList<LayoutStep> layoutStepsBetween(const QString &from, const QString &to)
{
    const QStringList names = layoutNames();
    const qsizetype start = names.indexOf(from);
    const qsizetype end = names.indexOf(to);
    if (start < 0 || end < 0)
        return {};
    // The names are largest first: further down the list is smaller.
    const LayoutStep step = end > start ? LayoutStep::Smaller : LayoutStep::Larger;
    return QList<LayoutStep>(qAbs(end - start), step);
}

bool layoutCanGrow(const QString &mode)
{
    return mode == QLatin1String("full");
}

GrownFullLayout grownFullLayout(QSize extra)
{
    const int dx = qMax(0, extra.width());
    const int dy = qMax(0, extra.height());
    GrownFullLayout grown;
    grown.tabs = twipsToPixels(60, 2880, 11505, 4965).adjusted(0, 0, dx, dy);
    // Within the tab page.
    grown.logTable = QRect(4, 4, 752 + dx, 214 + dy);
    grown.logBox = QRect(4, 222 + dy, 752 + dx, 76);
    grown.clearLog = twipsToPixels(10140, 2880, 1380, 330).translated(dx, 0);
    grown.logo = twipsToPixels(9600, 7860, 1935, 495).translated(dx, dy);
    return grown;
}

QByteArray writeWindowSize(const SavedWindowSize &size)
{
    return SettingsText::join({QByteArray::number(size.twips.width()),
                               QByteArray::number(size.twips.height()),
                               QByteArray::number(size.maximised ? 1 : 0)});
}

std::optional<SavedWindowSize> readWindowSize(const QByteArray &file)
{
    const QList<QByteArray> lines = SettingsText::lines(file);
    if (lines.size() < 2)
        return std::nullopt;
    SavedWindowSize size;
    size.twips = QSize(SettingsText::leadingInt(lines[0]), SettingsText::leadingInt(lines[1]));
    if (size.twips.width() <= 0 || size.twips.height() <= 0)
        return std::nullopt;
    size.maximised = lines.size() > 2 && SettingsText::leadingInt(lines[2]) == 1;
    return size;
}
