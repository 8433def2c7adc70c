#include "store/hitstoreworker.h"

#include "log/historyrecording.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

HitStoreWorker::HitStoreWorker(QString path, int retryMs) : m_path(std::move(path))
{
    // The timer goes with the worker to its thread.
    m_retry.setParent(this);
    m_retry.setInterval(retryMs);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &HitStoreWorker::writeWaiting);
}

void HitStoreWorker::open()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const HitStore::Fault fault = m_store.open(m_path);
    if (fault == HitStore::Fault::Damaged)
        recover();
    else
        handle(fault);
}

void HitStoreWorker::recover()
{
    m_store.close();
    const QString aside = moveDamagedAside(m_path, QDate::currentDate());
    if (aside.isEmpty()) {
        Q_EMIT tellUser(QStringLiteral("The hit database %1 is damaged and could not be moved "
                                       "aside: hits are kept in memory.")
                            .arg(QDir::toNativeSeparators(m_path)));
        m_toldUnwritable = true;
        return;
    }
    Q_EMIT tellUser(QStringLiteral("The hit database %1 was damaged. It was moved to %2, a new "
                                   "one was made, and the run log files are read into it again.")
                        .arg(QDir::toNativeSeparators(m_path), QDir::toNativeSeparators(aside)));
    handle(m_store.open(m_path));
    if (!m_folders.isEmpty())
        importFolders(m_folders, m_excludeRun);
}

bool HitStoreWorker::handle(HitStore::Fault fault)
{
    if (fault == HitStore::Fault::None)
        return true;
    if (fault == HitStore::Fault::Damaged) {
        recover();
        return false;
    }
    if (!m_toldUnwritable) {
        m_toldUnwritable = true;
        Q_EMIT tellUser(QStringLiteral("The hit database %1 cannot be written (%2). Hits are "
                                       "kept in memory and written when it can be.")
                            .arg(QDir::toNativeSeparators(m_path), m_store.lastError()));
    }
    if (!m_retry.isActive() && !m_stopped)
        m_retry.start();
    return false;
}

void HitStoreWorker::add(const StoredHit &hit)
{
    if (qsizetype(m_waiting.size()) >= maxWaiting) {
        if (!m_toldOverflow) {
            m_toldOverflow = true;
            Q_EMIT tellUser(QStringLiteral("%1 hits are waiting for the hit database; newer "
                                           "ones are not kept.")
                                .arg(maxWaiting));
        }
        return;
    }
    m_waiting.push_back({hit, {}});
    if (!hit.recordingPath.isEmpty()) {
        StoredHit &added = m_waiting.back().hit;
        if (added.recordingMs < 0)
            added.recordingMs = wavDurationMs(hit.recordingPath);
        added.recordingBytes = QFileInfo(hit.recordingPath).size();
    }
    writeWaiting();
    if (!hit.recordingPath.isEmpty() && m_waiting.empty())
        applyRetention();
}

void HitStoreWorker::setRecording(const StoredRecording &recording)
{
    m_waiting.push_back({{}, recording});
    StoredRecording &added = m_waiting.back().recording;
    if (added.ms < 0)
        added.ms = wavDurationMs(added.path);
    added.bytes = QFileInfo(added.path).size();
    writeWaiting();
}

void HitStoreWorker::writeWaiting()
{
    if (!m_store.isOpen()) {
        handle(m_store.open(m_path));
        if (!m_store.isOpen())
            return;
    }
    const bool any = !m_waiting.empty();
    while (!m_waiting.empty()) {
        const Waiting &next = m_waiting.front();
        const HitStore::Fault fault =
            next.hit.run.isEmpty() ? m_store.setRecording(next.recording) : m_store.add(next.hit);
        if (!handle(fault))
            return;
        m_waiting.pop_front();
    }
    if (any)
        Q_EMIT stored();
    m_toldUnwritable = false;
    m_toldOverflow = false;
    if (m_importAgain)
        importFolders(m_folders, m_excludeRun);
}

void HitStoreWorker::importFolders(const QStringList &folders, const QString &excludeRun)
{
    m_folders = folders;
    m_excludeRun = excludeRun;
    const bool running = !m_importQueue.isEmpty();
    m_importQueue = findRunFiles(folders, excludeRun + QStringLiteral(".txt"));
    m_importTotal = int(m_importQueue.size());
    m_importAdded = m_importSkipped = m_importFilesWithSkips = 0;
    m_importAgain = false;
    if (m_importQueue.isEmpty())
        Q_EMIT importFinished(0, 0, 0);
    else if (!running)
        QMetaObject::invokeMethod(this, &HitStoreWorker::importNext, Qt::QueuedConnection);
}

void HitStoreWorker::importNext()
{
    if (m_stopped || m_importQueue.isEmpty())
        return;
    if (!m_store.isOpen() || !m_waiting.empty()) {
        // The disk is full: the files are read again when it has room.
        m_importQueue.clear();
        m_importAgain = true;
        return;
    }
    const HistoryRun run = m_importQueue.takeFirst();
    QFile file(QDir(run.folder).filePath(run.name + QStringLiteral(".txt")));
    if (!m_store.wasImported(run.name, file.size()) && file.open(QIODevice::ReadOnly)) {
        const HitStore::Import import = m_store.importRunFile(run, file.readAll());
        if (!handle(import.fault)) {
            m_importQueue.clear();
            m_importAgain = import.fault == HitStore::Fault::Unwritable;
            return;
        }
        m_importAdded += import.added;
        m_importSkipped += import.skippedLines;
        m_importFilesWithSkips += import.skippedLines > 0 ? 1 : 0;
        if (import.added > 0)
            Q_EMIT stored();
    }
    const int done = m_importTotal - int(m_importQueue.size());
    Q_EMIT importProgress(done, m_importTotal);
    if (m_importQueue.isEmpty())
        Q_EMIT importFinished(m_importAdded, m_importSkipped, m_importFilesWithSkips);
    else
        QMetaObject::invokeMethod(this, &HitStoreWorker::importNext, Qt::QueuedConnection);
}

void HitStoreWorker::stop()
{
    m_stopped = true;
    m_retry.stop();
    m_importQueue.clear();
    m_store.close();
}

void HitStoreWorker::setRetention(const RetentionLimits &limits)
{
    m_limits = limits;
    applyRetention();
}

void HitStoreWorker::applyRetention()
{
    if (m_limits.isOff() || !m_store.isOpen())
        return;
    constexpr int page = 1000;
    int deleted = 0;
    qint64 freed = 0;
    for (;;) {
        const QList<KeptRecording> doomed =
            recordingsToDelete(m_store.oldestRecordings(page), m_store.keptRecordingBytes(),
                               m_limits, QDateTime::currentSecsSinceEpoch());
        QList<qint64> hits;
        for (const KeptRecording &recording : doomed) {
            // Only files the database knows are ever deleted; one already
            // gone is marked as deleted too.
            if (QFile::remove(recording.path)) {
                ++deleted;
                freed += recording.bytes;
            } else if (QFileInfo::exists(recording.path)) {
                continue;
            }
            hits.append(recording.hit);
        }
        if (hits.isEmpty() || !handle(m_store.markRecordingsDeleted(hits)) || doomed.size() < page)
            break;
    }
    if (deleted > 0)
        Q_EMIT recordingsDeleted(deleted, freed);
}
