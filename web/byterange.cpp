#include "web/byterange.h"

#include <QList>

namespace {

bool readNumber(const QByteArray &text, qint64 *value)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    bool ok = false;
    *value = text.toLongLong(&ok);
    return ok;
}

} // namespace

ByteRange parseByteRange(const QByteArray &header, qint64 size, qint64 most)
{
    const QByteArray text = header.trimmed();
    if (!text.startsWith("bytes="))
        return {};
    const QByteArray wanted = text.mid(6).split(',').first().trimmed();
    const qsizetype dash = wanted.indexOf('-');
    if (dash < 0)
        return {};
    const QByteArray from = wanted.left(dash).trimmed();
    const QByteArray to = wanted.mid(dash + 1).trimmed();
    qint64 first = 0;
    qint64 last = 0;
    if (from.isEmpty()) {
        // The last bytes of the file: "bytes=-500".
        if (!readNumber(to, &last) || last == 0)
            return last == 0 && !to.isEmpty() ? ByteRange{ByteRange::Unsatisfiable} : ByteRange{};
        first = qMax<qint64>(0, size - last);
        last = size - 1;
    } else {
        if (!readNumber(from, &first))
            return {};
        if (to.isEmpty())
            last = qMin(size - 1, first + most - 1);
        else if (!readNumber(to, &last) || last < first)
            return {};
        last = qMin(last, size - 1);
    }
    if (first >= size)
        return {ByteRange::Unsatisfiable};
    return {ByteRange::Part, first, last};
}
