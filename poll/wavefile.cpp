#include "poll/wavefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <limits>

namespace {

constexpr int headerBytes = 44;
constexpr qint64 copyChunk = 256 * 1024;

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

bool copyThrough(QFile &source, QSaveFile &target, QString *error)
{
    QByteArray buffer;
    while (!source.atEnd()) {
        buffer = source.read(copyChunk);
        if (buffer.isEmpty() && source.error() != QFileDevice::NoError) {
            *error = source.errorString();
            return false;
        }
        if (target.write(buffer) != buffer.size()) {
            *error = target.errorString();
            return false;
        }
    }
    return true;
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

bool moveRecordingFile(const QString &from, const QString &to, QString *error)
{
    QString why;
    if (QFileInfo::exists(to)) {
        why = QStringLiteral("a file of that name exists");
    } else if (QFile::rename(from, to)) {
        return true;
    } else {
        // Another file system, or a folder that is gone: copy, so that the
        // reason given is the target's own.
        QFile source(from);
        QSaveFile target(to);
        if (!source.open(QIODevice::ReadOnly))
            why = source.errorString();
        else if (!target.open(QIODevice::WriteOnly))
            why = target.errorString();
        else if (copyThrough(source, target, &why) && target.flush() && target.commit()) {
            // Qt's commit() can report success after a failed flush of its
            // buffer (a full disk), so the flush is checked on its own.
            source.close();
            QFile::remove(from);
            return true;
        } else if (why.isEmpty()) {
            why = target.errorString();
        }
    }
    if (!QFileInfo(to).absoluteDir().exists())
        why = QStringLiteral("the folder %1 does not exist").arg(QFileInfo(to).absolutePath());
    if (error)
        *error = why;
    return false;
}
