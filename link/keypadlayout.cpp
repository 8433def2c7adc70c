#include "link/keypadlayout.h"

namespace {

// Left edges of the eleven key columns. The first column sits 15 twips
// further right in the three lower rows.
constexpr int columnLeft[] = {4095, 4755, 5430, 6090, 6840, 7485, 8130, 8775, 9435, 10200, 10860};
constexpr int firstColumnLowerRows = 4110;
constexpr int rowTop[] = {225, 675, 1125, 1575, 2025};

struct Cell
{
    const char *name;
    const char *label;
    const char *subLabel;
};

// Row by row, column by column; a null name leaves the cell empty. The small
// second print of a radio key names what it does with Func held.
constexpr Cell grid[5][11] = {
    {{"key_hold", "HOLD", "CC"},
     {"key_1", "1", "PRI"},
     {"key_2", "2", "WX"},
     {"key_3", "3", ""},
     {"key_f", "FUNC", ""},
     {"key_menu", "MENU", ""},
     {"key_left", "<", ""},
     {"key_right", ">", ""},
     {"key_push", "PUSH", ""},
     {"key_cc", "CC", ""},
     {"key_cconly", "CC Only", ""}},
    {{"key_scan", "SCAN", "SRCH"},
     {"key_4", "4", ""},
     {"key_5", "5", ""},
     {"key_6", "6", ""},
     {"key_g1", "G1", ""},
     {"key_g2", "G2", ""},
     {"key_g3", "G3", ""},
     {"key_g4", "G4", ""},
     {"key_g5", "G5", ""},
     {"key_pri", "PRI", ""},
     {"key_wx", "WX", ""}},
    {{"key_lo", "L/O", ""},
     {"key_7", "7", "RCL"},
     {"key_8", "8", ""},
     {"key_9", "9", ""},
     {"key_g6", "G6", ""},
     {"key_g7", "G7", ""},
     {"key_g8", "G8", ""},
     {"key_g9", "G9", ""},
     {"key_g0", "G0", ""},
     {"key_srch", "SRCH", ""},
     {"key_rcl", "RCL", ""}},
    {{"key_light", "LIGHT", ""},
     {"key_no", "./no", ""},
     {"key_0", "0", ""},
     {"key_yes", "E/yes", "ATT"},
     {nullptr, nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     {"key_m1", "M1", ""},
     {"key_m2", "M2", ""},
     {"key_m3", "M3", ""},
     {"key_rev", "REV", ""},
     {"key_att", "ATT", ""}},
    {{"key_power", "PWR", "LOCK"},
     {nullptr, nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     {"key_lock", "LOCK", ""}},
};

} // namespace

QList<KeyPlacement> fullKeypadLayout()
{
    QList<KeyPlacement> keys;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 11; ++column) {
            const Cell &cell = grid[row][column];
            if (!cell.name)
                continue;
            KeyPlacement key;
            key.name = QLatin1String(cell.name);
            key.label = QLatin1String(cell.label);
            key.subLabel = QLatin1String(cell.subLabel);
            key.left = column == 0 && row >= 2 ? firstColumnLowerRows : columnLeft[column];
            key.top = rowTop[row];
            keys.append(key);
        }
    }
    KeyPlacement bar;
    bar.name = QStringLiteral("key_hold_bar");
    bar.label = QStringLiteral("HOLD");
    bar.left = 255;
    bar.top = 2340;
    bar.width = 3570;
    keys.append(bar);
    return keys;
}

KeyPlacement keyPlacement(const QString &keyName)
{
    const QList<KeyPlacement> keys = fullKeypadLayout();
    for (const KeyPlacement &key : keys) {
        if (key.name == keyName)
            return key;
    }
    return {};
}

QList<KeyPlacement> miniLayoutKeyMoves()
{
    QList<KeyPlacement> moves;
    const struct
    {
        const char *name;
        int left;
    } bottomRow[] = {{"key_f", 4755}, {"key_menu", 5430}, {"key_right", 6090}};
    for (const auto &move : bottomRow) {
        KeyPlacement key = keyPlacement(QLatin1String(move.name));
        key.left = move.left;
        key.top = 2025;
        moves.append(key);
    }
    return moves;
}

QRect pixelRect(const KeyPlacement &key)
{
    return twipsToPixels(key.left, key.top, key.width, key.height);
}

QString keyAccessibleName(const KeyPlacement &key)
{
    QString name = key.label;
    if (key.name == QLatin1String("key_left"))
        name = QStringLiteral("Left");
    else if (key.name == QLatin1String("key_right"))
        name = QStringLiteral("Right");
    if (!key.subLabel.isEmpty())
        name += QStringLiteral(", Func ") + key.subLabel;
    return name;
}
