#pragma once

#include "link/twips.h"

#include <QList>
#include <QRect>
#include <QString>

// Where a drawn key sits on the panel and what is printed on it. Positions
// and sizes are in twips (1/1440 inch, 15 twips a pixel at 96 dots an inch).
struct KeyPlacement
{
    QString name;
    QString label;    // the key's main print, as the radio has it
    QString subLabel; // the small second print, empty when the key has none
    int left = 0;
    int top = 0;
    int width = 570;
    int height = 345;

    bool operator==(const KeyPlacement &other) const = default;
};

// Every drawn key in the "full" layout: five rows of eleven columns right of
// the display, and the hold bar below the display.
QList<KeyPlacement> fullKeypadLayout();

// The placement of one key in the "full" layout; a default placement with an
// empty name for an unknown key.
KeyPlacement keyPlacement(const QString &keyName);

// The three keys that the "mini" layout moves into its bottom row, with
// their positions there (left and top; width and height unchanged). Leaving
// "mini" for a larger layout puts them back at their "full" positions.
QList<KeyPlacement> miniLayoutKeyMoves();

QRect pixelRect(const KeyPlacement &key);

// What a screen reader says for the key: its print, then what it does with
// Func held ("7, Func RCL"); the arrow keys by their direction.
QString keyAccessibleName(const KeyPlacement &key);
