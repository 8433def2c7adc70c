#pragma once

#include "store/retention.h"
#include "store/storedhit.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>

class HitStoreWorker;

// The hit database on a thread of its own. The window only hands hits and
// requests over; nothing here waits for the disk on the caller's thread.
// What the user is to be told, and the import's progress, arrive on the
// owner's thread.
class HitDatabase : public QObject
{
    Q_OBJECT
public:
    // The file "hits.db" in the data folder.
    static QString fileIn(const QString &dataFolder);

    // retryMs: how often a database that cannot be written is tried again.
    explicit HitDatabase(const QString &path, int retryMs = 5000, QObject *parent = nullptr);
    // Writes what can still be written and stops the thread.
    ~HitDatabase() override;

    void addHit(const StoredHit &hit);
    void setRecording(const StoredRecording &recording);
    // Imports the run files of the folders not imported before, this run's
    // own file (excludeRun, its name without ".txt") left out.
    void importFolders(const QStringList &folders, const QString &excludeRun);
    // Recordings past the limits are deleted, oldest first, now and as
    // recordings come in; their hits stay, the recordings marked deleted.
    void setRetention(const RetentionLimits &limits);

    // Waits until everything handed over so far has been dealt with.
    void waitUntilIdle();
    // Hits waiting in memory for the disk (asked of the worker's thread).
    qsizetype waitingCount();

Q_SIGNALS:
    void tellUser(const QString &message);
    void importProgress(int filesDone, int filesTotal);
    void importFinished(int hitsAdded, int skippedLines, int filesWithSkips);
    void recordingsDeleted(int recordings, qint64 bytesFreed);

private:
    QThread m_thread;
    HitStoreWorker *m_worker = nullptr;
};
