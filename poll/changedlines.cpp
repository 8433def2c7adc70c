#include "poll/changedlines.h"

namespace {

// The line starting at `from` (up to its '\n' or the text's end), and where
// the next line starts; past the text's end there are only empty lines.
QStringView lineAt(QStringView text, qsizetype &from)
{
    if (from > text.size())
        return {};
    qsizetype end = text.indexOf(u'\n', from);
    if (end < 0)
        end = text.size();
    const QStringView line = text.sliced(from, end - from);
    from = end + 1;
    return line;
}

} // namespace

std::optional<LineSpan> changedLines(QStringView before, QStringView after)
{
    std::optional<LineSpan> span;
    qsizetype a = 0;
    qsizetype b = 0;
    for (int line = 0; a <= before.size() || b <= after.size(); ++line) {
        if (lineAt(before, a) == lineAt(after, b))
            continue;
        if (!span)
            span = LineSpan{line, line};
        span->last = line;
    }
    return span;
}
