#include "poll/hitrecording.h"

#include "poll/recordingmove.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace {

bool fileExists(const QString &path)
{
    return QFileInfo::exists(path);
}

} // namespace

QString freeRecordingPath(const QString &folder, const QString &fileName,
                          const std::function<bool(const QString &path)> &exists)
{
    const QDir dir(folder);
    const QString first = dir.filePath(fileName);
    if (!exists(first))
        return first;
    const QString extension = QStringLiteral(".wav");
    const QString stem =
        fileName.endsWith(extension) ? fileName.chopped(extension.size()) : fileName;
    for (int n = 2;; ++n) {
        const QString next = dir.filePath(stem + QStringLiteral(" (%1)").arg(n) + extension);
        if (!exists(next))
            return next;
    }
}

QString recordingStartFailureMessage(const QString &cause)
{
    return QStringLiteral("Hit audio cannot be recorded: %1.\n\n"
                          "Hits are still logged. Choose an audio input on the Settings tab.")
        .arg(cause);
}

QString recordingSaveFailureMessage(const QString &path, const QString &cause)
{
    return QStringLiteral("The recording %1 could not be saved: %2.\n\n"
                          "It is kept while Tollvane runs and saved with the next recording "
                          "that can be saved.")
        .arg(QDir::toNativeSeparators(path), cause);
}

HitRecording::HitRecording(AudioRecorder &recorder, QString tempFolder)
    : m_recorder(recorder), m_tempFolder(std::move(tempFolder))
{}

HitRecording::Outcome HitRecording::start(bool recordAudio, bool skipped)
{
    if (!recordAudio || skipped || m_active)
        return {};
    m_active = true;
    // The counter stops at its largest value; later recordings reuse it.
    if (m_counter < std::numeric_limits<qint16>::max())
        ++m_counter;
    m_tempPath = QDir(m_tempFolder).filePath(QStringLiteral("temp") + QString::number(m_counter));
    m_capturing = m_recorder.Open(m_tempPath) && m_recorder.Record();
    if (m_capturing)
        return {};
    const QString cause = m_recorder.errorText();
    m_recorder.close();
    return failure(recordingStartFailureMessage(cause));
}

HitRecording::Outcome HitRecording::stop(bool recordAudio, bool skipped, const QString &folder,
                                         const QString &fileName)
{
    if (!m_active)
        return {};
    m_active = false;
    if (!m_capturing)
        return {};
    m_capturing = false;

    const bool stopped = m_recorder.stop();
    if (!recordAudio || skipped) {
        m_recorder.close();
        QFile::remove(m_tempPath);
        return {};
    }
    const QString target = QDir(folder).filePath(fileName);
    if (!stopped) {
        const QString cause = m_recorder.errorText();
        m_recorder.close();
        return failure(recordingSaveFailureMessage(target, cause));
    }

    Outcome outcome;
    QString cause = retryUnsaved(outcome);
    const QString path = freeRecordingPath(folder, fileName, fileExists);
    if (m_recorder.save(path)) {
        outcome.savedPath = path;
    } else {
        m_unsaved.append({m_tempPath, folder, fileName});
        outcome.waitingFor = target;
        cause = recordingSaveFailureMessage(path, m_recorder.errorText());
    }
    m_recorder.close();
    // The spell ends when a recording is saved and none is left waiting.
    if (!outcome.savedPath.isEmpty() && m_unsaved.isEmpty())
        m_failing = false;
    if (cause.isEmpty())
        return outcome;
    Outcome failed = failure(cause);
    failed.savedPath = outcome.savedPath;
    failed.waitingFor = outcome.waitingFor;
    failed.savedLater = outcome.savedLater;
    return failed;
}

QString HitRecording::retryUnsaved(Outcome &outcome)
{
    QString message;
    for (qsizetype i = 0; i < m_unsaved.size();) {
        const Unsaved &unsaved = m_unsaved.at(i);
        const QString path = freeRecordingPath(unsaved.folder, unsaved.fileName, fileExists);
        QString cause;
        if (moveRecordingFile(unsaved.tempPath, path, &cause)) {
            outcome.savedLater.append({QDir(unsaved.folder).filePath(unsaved.fileName), path});
            m_unsaved.removeAt(i);
            continue;
        }
        if (message.isEmpty())
            message = recordingSaveFailureMessage(path, cause);
        ++i;
    }
    return message;
}

HitRecording::Outcome HitRecording::setUp(bool recordAudio)
{
    const bool ok = m_recorder.Open(QString()) && m_recorder.Record() && m_recorder.stop();
    const QString cause = m_recorder.errorText();
    m_recorder.close();
    if (ok || !recordAudio)
        return {};
    return failure(recordingStartFailureMessage(cause));
}

void HitRecording::close()
{
    if (m_capturing)
        QFile::remove(m_tempPath);
    m_recorder.close();
    m_active = false;
    m_capturing = false;
}

HitRecording::Outcome HitRecording::finish()
{
    close();
    Outcome outcome;
    const QString message = retryUnsaved(outcome);
    if (message.isEmpty())
        return outcome;
    Outcome failed = failure(message);
    failed.savedLater = outcome.savedLater;
    return failed;
}

HitRecording::Outcome HitRecording::failure(const QString &message)
{
    Outcome outcome;
    outcome.tellUser = !m_failing;
    outcome.message = message;
    m_failing = true;
    return outcome;
}
