#include "link/keyhelp.h"

#include "link/keyboardmap.h"
#include "link/keyoperations.h"
#include "link/keypadlayout.h"

#include <algorithm>

namespace {

constexpr int noModifier = 0;
constexpr int shiftAlone = 1;

// The printed name of a Windows key code; empty for a code without one.
QString keyCodeName(int code)
{
    if (code >= '0' && code <= '9')
        return QString(QChar(code));
    if (code >= 'A' && code <= 'Z')
        return QString(QChar(code));
    if (code >= 96 && code <= 105)
        return QStringLiteral("Num ") + QString(QChar('0' + code - 96));
    switch (code) {
    case 13:
        return QStringLiteral("Enter");
    case 32:
        return QStringLiteral("Space");
    case 37:
        return QStringLiteral("Left");
    case 38:
        return QStringLiteral("Up");
    case 39:
        return QStringLiteral("Right");
    case 40:
        return QStringLiteral("Down");
    case 110:
        return QStringLiteral("Num .");
    case 190:
        return QStringLiteral(".");
    default:
        return {};
    }
}

// The keyboard map's operations that do what a click on the key does.
QStringList sameOperations(const QString &operation)
{
    QStringList same{operation};
    const QList<CommandStep> commands = keyOperation(operation);
    if (commands.isEmpty())
        return same;
    for (const QString &other : drawnKeyNames())
        if (other != operation && keyOperation(other) == commands &&
            keyStopsQuickScan(other) == keyStopsQuickScan(operation))
            same.append(other);
    return same;
}

} // namespace

QStringList keyboardShortcuts(const QString &operation)
{
    const QStringList same = sameOperations(operation);
    QStringList keys;
    for (int code = 1; code < 256; ++code) {
        const QString name = keyCodeName(code);
        if (name.isEmpty())
            continue;
        const bool plain = same.contains(keyboardOperationForKeyCode(code, noModifier));
        const bool shifted = same.contains(keyboardOperationForKeyCode(code, shiftAlone));
        if (plain)
            keys.append(name);
        else if (shifted)
            keys.append(QStringLiteral("Shift+") + name);
    }
    return keys;
}

QString keyToolTip(const QString &keyName)
{
    const QString name = keyAccessibleName(keyPlacement(keyName));
    const QStringList keys = keyboardShortcuts(keyName);
    if (keys.isEmpty())
        return name;
    return name + QStringLiteral("\nKeyboard: ") + keys.join(QStringLiteral(" or "));
}

QList<KeyHelpRow> keyboardHelpRows()
{
    QList<KeyHelpRow> rows;
    rows.append({keyboardShortcuts(QStringLiteral("RunStop")).join(QStringLiteral(" or ")),
                 QStringLiteral("Run / Stop")});
    for (const QString &key : drawnKeyNames()) {
        const QString keys = keyboardShortcuts(key).join(QStringLiteral(" or "));
        const bool told = std::any_of(rows.cbegin(), rows.cend(),
                                      [&keys](const KeyHelpRow &row) { return row.keys == keys; });
        if (keys.isEmpty() || told)
            continue;
        rows.append({keys, QStringLiteral("Radio key ") + keyAccessibleName(keyPlacement(key))});
    }
    for (const WindowKey &key : windowKeys())
        rows.append({key.sequences.join(QStringLiteral(" or ")), key.description});
    return rows;
}

QList<WindowKey> windowKeys()
{
    return {
        {WindowKey::KeyHelp, {QStringLiteral("F1")}, QStringLiteral("This list of keys")},
        {WindowKey::LayoutSmaller, {QStringLiteral("Ctrl+-")}, QStringLiteral("Smaller layout")},
        {WindowKey::LayoutLarger,
         {QStringLiteral("Ctrl++"), QStringLiteral("Ctrl+=")},
         QStringLiteral("Larger layout")},
    };
}
