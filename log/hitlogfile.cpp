#include "log/hitlogfile.h"

#include "link/savefile.h"

#include <QDir>
#include <QFileInfo>

bool writeAll(QIODevice &device, const QByteArray &data, QString *error)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const qint64 written = device.write(data.constData() + done, data.size() - done);
        if (written <= 0) {
            if (error)
                *error = device.errorString();
            return false;
        }
        done += written;
    }
    return true;
}

namespace {

// Says why a file could not be written, naming a missing folder (or a file
// standing where the folder should be) rather than the temporary file's
// error text.
QString failureCause(const QString &path, const QString &deviceError)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    const QString folderName = QDir::toNativeSeparators(folder.filePath());
    if (!folder.exists())
        return QStringLiteral("the folder %1 does not exist").arg(folderName);
    if (!folder.isDir())
        return QStringLiteral("%1 is not a folder").arg(folderName);
    QString cause = deviceError.trimmed();
    while (cause.endsWith(u'.'))
        cause.chop(1);
    if (cause.isEmpty())
        return QStringLiteral("unknown error");
    return cause;
}

} // namespace

bool WriteHitLogFile(const QString &path, const QString &logText, QString *error)
{
    const QString why = saveWholeFile(path, logText.toUtf8() + "\r\n");
    if (why.isEmpty())
        return true;
    if (error)
        *error = failureCause(path, why);
    return false;
}

QString hitLogFileFailureMessage(const QString &path, const QString &cause)
{
    return QStringLiteral("The hit log file %1 could not be written: %2.\n\n"
                          "Every hit is still kept in the log, and the file will be brought "
                          "up to date by the next write that succeeds.")
        .arg(QDir::toNativeSeparators(path), cause);
}

HitLogFileWriter::WriteOutcome HitLogFileWriter::write(const QString &path, const QString &logText)
{
    QString cause;
    if (WriteHitLogFile(path, logText, &cause)) {
        m_failing = false;
        WriteOutcome outcome;
        outcome.written = true;
        return outcome;
    }
    WriteOutcome outcome;
    outcome.ok = false;
    outcome.tellUser = !m_failing;
    outcome.message = hitLogFileFailureMessage(path, cause);
    m_failing = true;
    return outcome;
}
