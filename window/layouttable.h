#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// The window's seven layouts, from the full panel down to a one-line strip,
// and the one step that each of the two small buttons makes from each of
// them. Sizes and positions are in twips (1/1440 inch); a layout's size is
// the window's outer size, title bar and border included.

enum class LayoutStep { Smaller, Larger };

// One element put at a new place; left stays where it is when absent.
struct ElementMove
{
    QString element; // the element's object name
    std::optional<int> left;
    int top = 0;

    bool operator==(const ElementMove &other) const = default;
};

struct LayoutTransition
{
    QString from;
    QString to;
    LayoutStep step = LayoutStep::Smaller;
    int height = 0;
    int width = 0;
    std::optional<bool> titlebar;
    std::optional<bool> autoDrag;
    std::optional<bool> floatingTaskbarVisible;
    QList<ElementMove> moves;
};

// The layout names, largest first.
QStringList layoutNames();

// The one transition a step makes from the layout; nothing at either end of
// the table or for a name outside it.
std::optional<LayoutTransition> layoutTransition(const QString &mode, LayoutStep step);

// What start-up does with the number stored in pgm_settings.txt: set the
// layout name (and, for 5, the size) without moving anything, then step.
struct LayoutRestore
{
    QString mode;
    std::optional<QSize> size; // outer width and height
    QList<LayoutStep> steps;
};

LayoutRestore layoutRestore(int stored);

// The number a layout is stored under (1 "full" to 7 the floating strip);
// 0 for a name outside the table, which stores an empty line.
int storedLayoutNumber(const QString &mode);

// The two layouts without a title bar, dragged by their client area.
bool isFramelessLayout(const QString &mode);

// The client area of a window of that outer size: the design frame of a
// window with a title bar is 120 twips wide and 375 high; a frameless
// window is all client area.
QSize clientSizeTwips(const QSize &outer, bool titlebar);
