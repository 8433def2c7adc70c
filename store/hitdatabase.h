#pragma once

#include "log/historysource.h"
#include "store/retention.h"
#include "store/storedhit.h"

#include <QMutex>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThread>

class HitStoreWorker;

// The hit database on a thread of its own. The window only hands hits and
// requests over; nothing here waits for the disk on the caller's thread.
// What the user is to be told, and the import's progress, arrive on the
// owner's thread. The history's queries run on the database's thread too,
// their answers arriving as the source's signals.
class HitDatabase : public HistorySource
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

    void requestView(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                     int rows) override;
    void requestRows(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                     qint64 offset, int rows) override;
    void requestCounts(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                       CountBy by) override;
    void requestCount(quint64 ticket, const HistoryFilter &filter, const QString &thisRun) override;
    void forget(quint64 ticket) override;
    void requestExport(const HistoryFilter &filter, const QString &thisRun,
                       const QString &path) override;
    bool isImporting() const override { return m_importing; }

    // Waits until everything handed over so far has been dealt with.
    void waitUntilIdle();
    // Hits waiting in memory for the disk (asked of the worker's thread).
    qsizetype waitingCount();

Q_SIGNALS:
    void tellUser(const QString &message);
    void recordingsDeleted(int recordings, qint64 bytesFreed);

private:
    // Runs work on the database's thread and hands its result to answer on
    // this object's thread, unless the ticket was forgotten first (ticket 0
    // is never forgotten).
    template <typename Work, typename Answer> void ask(quint64 ticket, Work work, Answer answer);
    // Counts the filter's hits after afterId, part by part, so that newer
    // requests run in between and a forgotten count stops.
    void countOn(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                 qint64 afterId, qint64 lastId, qint64 counted);
    // Whether the ticket is still wanted; taking it ends its wait.
    bool isWanted(quint64 ticket) const;
    void take(quint64 ticket);

    QThread m_thread;
    mutable QMutex m_waitingLock;
    QSet<quint64> m_waiting; // tickets asked for and not answered or forgotten
    bool m_importing = false;
    HitStoreWorker *m_worker = nullptr;
};
