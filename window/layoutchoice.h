#pragma once

#include "window/layouttable.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// Choosing a layout directly (the screen's menu) and the full layout that
// grows with its window.

// The caption of a layout in the menu: "Full", "Display Only" ...
QString layoutCaption(const QString &mode);

// The steps that lead from one layout to another, one transition each, so
// every element the steps move ends where that layout has it. Empty for the
// same layout or a name outside the table.
QList<LayoutStep> layoutStepsBetween(const QString &from, const QString &to);

// Only the full layout grows; the others keep the size the table gives.
bool layoutCanGrow(const QString &mode);

// What the full layout gives the extra room of a larger window (pixels):
// the tab strip, and the log table in it, take all of it; the log box under
// the table, "Clear Log" above the strip's right end and the logo below it
// move with the edges they sit by. The screen and the keypad stay put.
struct GrownFullLayout
{
    QRect tabs;
    QRect logTable;
    QRect logBox;
    QRect clearLog;
    QRect logo;
};

// extra: how much larger the window is than the full layout's design size
// (never less than nothing).
GrownFullLayout grownFullLayout(QSize extra);

// window_size.txt: the full layout's client size in twips and whether the
// window was maximised, three lines in the settings text format. A file of
// its own, so pgm_settings.txt keeps exactly its lines.
struct SavedWindowSize
{
    QSize twips;
    bool maximised = false;

    bool operator==(const SavedWindowSize &other) const = default;
};

QByteArray writeWindowSize(const SavedWindowSize &size);
// Nothing for a file without a positive width and height.
std::optional<SavedWindowSize> readWindowSize(const QByteArray &file);
