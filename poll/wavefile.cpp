#include "poll/wavefile.h"

#include <QtEndian>

#include <limits>

namespace {

constexpr int headerBytes = 44;

void putLe32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void putLe16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

} // namespace

QByteArray waveHeader(int sampleRate, int channels, qint64 dataBytes)
{
    // The RIFF size (the data and 36 bytes more) must fit in 32 bits too;
    // the data stays a whole number of 16-bit samples.
    constexpr qint64 limit = (std::numeric_limits<quint32>::max() - (headerBytes - 8)) & ~1LL;
    const quint32 data = quint32(qBound<qint64>(0, dataBytes, limit));
    const quint16 blockAlign = quint16(channels * 2);
    QByteArray out;
    out.reserve(headerBytes);
    out.append("RIFF");
    putLe32(out, data + headerBytes - 8);
    out.append("WAVEfmt ");
    putLe32(out, 16);
    putLe16(out, 1); // PCM
    putLe16(out, quint16(channels));
    putLe32(out, quint32(sampleRate));
    putLe32(out, quint32(sampleRate) * blockAlign);
    putLe16(out, blockAlign);
    putLe16(out, 16);
    out.append("data");
    putLe32(out, data);
    return out;
}
