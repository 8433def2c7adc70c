#include "store/hitdatabase.h"

#include "store/hitstoreworker.h"

#include <QDir>

QString HitDatabase::fileIn(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("hits.db"));
}

HitDatabase::HitDatabase(const QString &path, int retryMs, QObject *parent) : QObject(parent)
{
    m_thread.setObjectName(QStringLiteral("hit database"));
    m_worker = new HitStoreWorker(path, retryMs);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &HitStoreWorker::tellUser, this, &HitDatabase::tellUser);
    connect(m_worker, &HitStoreWorker::importProgress, this, &HitDatabase::importProgress);
    connect(m_worker, &HitStoreWorker::importFinished, this, &HitDatabase::importFinished);
    connect(m_worker, &HitStoreWorker::recordingsDeleted, this, &HitDatabase::recordingsDeleted);
    m_thread.start();
    QMetaObject::invokeMethod(m_worker, &HitStoreWorker::open, Qt::QueuedConnection);
}

HitDatabase::~HitDatabase()
{
    QMetaObject::invokeMethod(m_worker, &HitStoreWorker::stop, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void HitDatabase::addHit(const StoredHit &hit)
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, hit] { worker->add(hit); }, Qt::QueuedConnection);
}

void HitDatabase::setRecording(const StoredRecording &recording)
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, recording] { worker->setRecording(recording); },
        Qt::QueuedConnection);
}

void HitDatabase::importFolders(const QStringList &folders, const QString &excludeRun)
{
    QMetaObject::invokeMethod(
        m_worker,
        [worker = m_worker, folders, excludeRun] { worker->importFolders(folders, excludeRun); },
        Qt::QueuedConnection);
}

void HitDatabase::setRetention(const RetentionLimits &limits)
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, limits] { worker->setRetention(limits); },
        Qt::QueuedConnection);
}

void HitDatabase::waitUntilIdle()
{
    QMetaObject::invokeMethod(
        m_worker, [] {}, Qt::BlockingQueuedConnection);
}

qsizetype HitDatabase::waitingCount()
{
    qsizetype count = 0;
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, &count] { count = worker->waitingCount(); },
        Qt::BlockingQueuedConnection);
    return count;
}
