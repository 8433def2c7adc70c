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

// What the keyboard map and the drawn keys say, read once.
struct KeyboardMapTable
{
    QStringList names;                  // by key code; empty: a code without a name
    QStringList plain;                  // the operation of the code alone
    QStringList shifted;                // and with Shift
    QStringList drawn;                  // the drawn keys
    QList<QList<CommandStep>> commands; // of each drawn key
    QList<bool> stopsScan;              // of each drawn key

    KeyboardMapTable()
    {
        for (int code = 0; code < 256; ++code) {
            names.append(keyCodeName(code));
            const bool named = code > 0 && !names.last().isEmpty();
            plain.append(named ? keyboardOperationForKeyCode(code, noModifier) : QString());
            shifted.append(named ? keyboardOperationForKeyCode(code, shiftAlone) : QString());
        }
        drawn = drawnKeyNames();
        for (const QString &key : std::as_const(drawn)) {
            commands.append(keyOperation(key));
            stopsScan.append(keyStopsQuickScan(key));
        }
    }

    // The keyboard map's operations that do what a click on the key does.
    QStringList sameOperations(const QString &operation) const
    {
        QStringList same{operation};
        const qsizetype at = drawn.indexOf(operation);
        const QList<CommandStep> own = at >= 0 ? commands.at(at) : keyOperation(operation);
        if (own.isEmpty())
            return same;
        const bool stops = at >= 0 ? stopsScan.at(at) : keyStopsQuickScan(operation);
        for (qsizetype i = 0; i < drawn.size(); ++i)
            if (drawn.at(i) != operation && commands.at(i) == own && stopsScan.at(i) == stops)
                same.append(drawn.at(i));
        return same;
    }

    QStringList shortcuts(const QString &operation) const
    {
        const QStringList same = sameOperations(operation);
        QStringList keys;
        for (int code = 1; code < 256; ++code) {
            if (names.at(code).isEmpty())
                continue;
            if (same.contains(plain.at(code)))
                keys.append(names.at(code));
            else if (same.contains(shifted.at(code)))
                keys.append(QStringLiteral("Shift+") + names.at(code));
        }
        return keys;
    }
};

} // namespace

QStringList keyboardShortcuts(const QString &operation)
{
    return KeyboardMapTable().shortcuts(operation);
}

QString keyToolTip(const QString &keyName)
{
    return keyToolTips({keyName}).value(keyName);
}

QHash<QString, QString> keyToolTips(const QStringList &keyNames)
{
    const KeyboardMapTable table;
    QHash<QString, KeyPlacement> placements;
    for (const KeyPlacement &key : fullKeypadLayout())
        placements.insert(key.name, key);
    QHash<QString, QString> tips;
    for (const QString &keyName : keyNames) {
        const QString name = keyAccessibleName(placements.value(keyName));
        const QStringList keys = table.shortcuts(keyName);
        tips.insert(keyName, keys.isEmpty() ? name
                                            : name + QStringLiteral("\nKeyboard: ") +
                                                  keys.join(QStringLiteral(" or ")));
    }
    return tips;
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
