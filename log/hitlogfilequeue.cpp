#include "log/hitlogfilequeue.h"

#include <QMetaObject>

HitLogFileQueue::HitLogFileQueue(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<HitLogFileWriter::WriteOutcome>();
    m_worker = std::thread([this] { run(); });
}

HitLogFileQueue::~HitLogFileQueue()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

void HitLogFileQueue::write(const QString &path, const QString &logText)
{
    {
        std::lock_guard lock(m_mutex);
        m_waiting = Job{path, logText};
    }
    m_changed.notify_all();
}

void HitLogFileQueue::waitUntilWritten()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_waiting && !m_busy; });
}

bool HitLogFileQueue::isIdle() const
{
    std::lock_guard lock(m_mutex);
    return !m_waiting && !m_busy;
}

void HitLogFileQueue::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_waiting || m_stopping; });
        if (!m_waiting)
            return; // stopping with nothing left to write
        std::optional<Job> job = std::move(m_waiting);
        m_waiting.reset();
        m_busy = true;
        lock.unlock();

        const HitLogFileWriter::WriteOutcome outcome = m_writer.write(job->path, job->text);
        // Let go of the text before saying the file is written: while this
        // thread shares it, the next hit would have to copy the whole log.
        job.reset();
        QMetaObject::invokeMethod(
            this, [this, outcome] { Q_EMIT written(outcome); }, Qt::QueuedConnection);

        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}
