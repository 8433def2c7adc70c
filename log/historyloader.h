#pragma once

#include "log/historyreader.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// Reads the run files on a thread of its own, so the window never waits for
// the disk. progress() and finished() arrive on the owner's thread.
class HistoryLoader : public QObject
{
    Q_OBJECT
public:
    explicit HistoryLoader(QObject *parent = nullptr);
    // Stops a load still running and waits for its thread.
    ~HistoryLoader() override;

    // Starts reading the run files of the folders, leaving out this run's
    // own file. A load still running is abandoned.
    void start(const QStringList &folders, const QString &excludeName);
    bool isRunning() const { return m_worker.joinable() && !m_done; }

    // Reads everything at once, on the caller's thread.
    static HistoryLoad load(const QStringList &folders, const QString &excludeName,
                            const std::function<void(int done, int total)> &progress = {},
                            const std::atomic_bool *cancel = nullptr);

Q_SIGNALS:
    void progress(int filesDone, int filesTotal);
    void finished(const std::shared_ptr<HistoryLoad> &load);

private:
    void stop();

    std::thread m_worker;
    std::shared_ptr<std::atomic_bool> m_cancel;
    std::atomic_bool m_done = true;
};
