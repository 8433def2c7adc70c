#include "poll/recordingmove.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace {

constexpr qint64 copyChunk = 256 * 1024;

// A rename and nothing else: QFile::rename falls back to copying straight
// into the target, which leaves a partial file there when the disk is full.
bool renameOnly(const QString &from, const QString &to, QString *why)
{
    std::error_code code;
    std::filesystem::rename(QFileInfo(from).filesystemFilePath(),
                            QFileInfo(to).filesystemFilePath(), code);
    if (code)
        *why = QString::fromStdString(code.message());
    return !code;
}

// The copy goes to a temporary file in to's folder, which takes the name to
// only once every byte of from is in it.
bool copyWhole(const QString &from, const QString &to, QString *why)
{
    QFile source(from);
    QSaveFile target(to);
    if (!source.open(QIODevice::ReadOnly)) {
        *why = source.errorString();
        return false;
    }
    if (!target.open(QIODevice::WriteOnly)) {
        *why = target.errorString();
        return false;
    }
    while (!source.atEnd()) {
        const QByteArray buffer = source.read(copyChunk);
        if (buffer.isEmpty() && source.error() != QFileDevice::NoError) {
            *why = source.errorString();
            return false;
        }
        if (target.write(buffer) != buffer.size()) {
            *why = target.errorString();
            return false;
        }
    }
    // Qt's commit() can report success after a failed flush of its buffer
    // (a full disk), so the flush and the size are checked on their own.
    if (!target.flush() || target.size() != source.size()) {
        *why = target.error() != QFileDevice::NoError
                   ? target.errorString()
                   : QStringLiteral("the copy holds %1 of %2 bytes")
                         .arg(target.size())
                         .arg(source.size());
        return false;
    }
    if (!target.commit()) {
        *why = target.errorString();
        return false;
    }
    return true;
}

} // namespace

bool moveRecordingFile(const QString &from, const QString &to, QString *error)
{
    QString why;
    const QFileInfo target(to);
    if (!target.absoluteDir().exists()) {
        why = QStringLiteral("the folder %1 does not exist").arg(target.absolutePath());
    } else if (target.exists()) {
        why = QStringLiteral("a file of that name exists");
    } else if (renameOnly(from, to, &why) || copyWhole(from, to, &why)) {
        // The copy leaves from behind; the recording is in its place now.
        QFile::remove(from);
        return true;
    }
    if (error)
        *error = why;
    return false;
}
