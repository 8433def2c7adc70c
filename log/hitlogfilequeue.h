#pragma once

#include "log/hitlogfile.h"

#include <QObject>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// Writes the run's log file on a thread of its own, so that the end of a
// hit never waits for the disk. Only the newest text matters: a text queued
// while an older one is being written replaces any text still waiting, and
// since every text holds the whole log, the file always catches up with the
// newest hit. Outcomes come back on the owner's thread through written().
class HitLogFileQueue : public QObject
{
    Q_OBJECT
public:
    explicit HitLogFileQueue(QObject *parent = nullptr);
    // Writes what is still waiting before it goes.
    ~HitLogFileQueue() override;

    void write(const QString &path, const QString &logText);

    // Blocks until the newest text has been written (shutdown, tests).
    void waitUntilWritten();
    bool isIdle() const;

Q_SIGNALS:
    void written(const HitLogFileWriter::WriteOutcome &outcome);

private:
    struct Job
    {
        QString path;
        QString text;
    };
    void run();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<Job> m_waiting;
    bool m_busy = false;
    bool m_stopping = false;
    HitLogFileWriter m_writer; // used on the worker thread only
    std::thread m_worker;
};
