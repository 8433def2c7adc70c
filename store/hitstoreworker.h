#pragma once

#include "store/hitstore.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>

// The hit database's side of its thread: the one connection, the hits
// waiting for a disk that has no room, and the import of run files one file
// at a time, so that live hits go in between them.
class HitStoreWorker : public QObject
{
    Q_OBJECT
public:
    // Hits kept in memory while the database cannot be written.
    static constexpr qsizetype maxWaiting = 100000;

    explicit HitStoreWorker(QString path, int retryMs);

    void open();
    void add(const StoredHit &hit);
    void setRecording(const StoredRecording &recording);
    void importFolders(const QStringList &folders, const QString &excludeRun);
    // Deletes the oldest recordings past the limits, now and after each
    // recording that comes in.
    void setRetention(const RetentionLimits &limits);
    void stop();

    qsizetype waitingCount() const { return qsizetype(m_waiting.size()); }
    HitStore &store() { return m_store; }

Q_SIGNALS:
    void tellUser(const QString &message);
    void importProgress(int filesDone, int filesTotal);
    void importFinished(int hitsAdded, int skippedLines, int filesWithSkips);
    void recordingsDeleted(int recordings, qint64 bytesFreed);
    // Hits or recordings were written.
    void stored();

private:
    struct Waiting
    {
        StoredHit hit;
        StoredRecording recording; // used when hit.run is empty
    };
    void writeWaiting();
    bool handle(HitStore::Fault fault);
    void recover();
    void importNext();
    void applyRetention();

    QString m_path;
    HitStore m_store;
    std::deque<Waiting> m_waiting;
    QTimer m_retry;
    bool m_toldUnwritable = false;
    bool m_toldOverflow = false;
    bool m_stopped = false;
    RetentionLimits m_limits;

    QStringList m_folders;
    QString m_excludeRun;
    QList<HistoryRun> m_importQueue;
    int m_importTotal = 0;
    int m_importAdded = 0;
    int m_importSkipped = 0;
    int m_importFilesWithSkips = 0;
    bool m_importAgain = false;
};
