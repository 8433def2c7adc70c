#pragma once

#include <QByteArray>

// The part of a file a "Range: bytes=" header asks for: first and last
// byte, both included. Only the first range of a list is answered.
struct ByteRange
{
    enum Kind {
        Whole,         // no range asked, or one that cannot be read: the whole file
        Part,          // first..last
        Unsatisfiable, // starts past the end: 416
    };
    Kind kind = Whole;
    qint64 first = 0;
    qint64 last = -1;
};

// size is the file's; an open range ("bytes=100-") is cut at most bytes.
ByteRange parseByteRange(const QByteArray &header, qint64 size, qint64 most);
