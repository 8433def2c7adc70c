#pragma once

#include <QStringView>

#include <optional>

// Lines of a screen box's text, counted from 0 at each '\n'.
struct LineSpan
{
    int first = 0;
    int last = 0; // inclusive
};

// The lines from the first to the last that differ between two texts of a
// screen box; none when every line reads the same. A line one text lacks
// reads as empty: it draws nothing either way.
std::optional<LineSpan> changedLines(QStringView before, QStringView after);
