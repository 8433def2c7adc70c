#include "log/gridcolumnfit.h"

#include <algorithm>

QList<int> fitColumnWidths(const QList<int> &design, const QList<int> &least, int available,
                           int elastic)
{
    QList<int> widths = design;
    int total = 0;
    for (qsizetype i = 0; i < widths.size(); ++i) {
        widths[i] = std::max(widths.at(i), least.value(i));
        total += widths.at(i);
    }
    if (elastic < 0 || elastic >= widths.size() || total <= available)
        return widths;
    const int others = total - widths.at(elastic);
    widths[elastic] = std::max(least.value(elastic), available - others);
    return widths;
}
