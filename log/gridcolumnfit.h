#pragma once

#include <QList>

// Column widths for a table `available` pixels wide. Each column gets its
// design width, widened to the least width its header needs. When they no
// longer fit side by side, the elastic column gives up the excess, down to
// its own least width, so that every header shows without scrolling.
QList<int> fitColumnWidths(const QList<int> &design, const QList<int> &least, int available,
                           int elastic);
