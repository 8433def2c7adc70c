#include "store/hitdatabase.h"

#include "link/savefile.h"
#include "store/historyexport.h"
#include "store/hitstoreworker.h"

#include <QDir>

QString HitDatabase::fileIn(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("hits.db"));
}

HitDatabase::HitDatabase(const QString &path, int retryMs, QObject *parent) : HistorySource(parent)
{
    m_thread.setObjectName(QStringLiteral("hit database"));
    m_worker = new HitStoreWorker(path, retryMs);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &HitStoreWorker::tellUser, this, &HitDatabase::tellUser);
    connect(m_worker, &HitStoreWorker::importProgress, this, &HitDatabase::importProgress);
    connect(m_worker, &HitStoreWorker::importFinished, this,
            [this](int added, int skipped, int files) {
                m_importing = false;
                Q_EMIT importFinished(added, skipped, files);
            });
    connect(m_worker, &HitStoreWorker::stored, this, &HitDatabase::hitsChanged);
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
    m_importing = true;
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

namespace {

// The hits looked at in one go of a count that takes long: newer
// requests wait no longer than this takes.
constexpr qint64 countedAtOnce = 200000;

} // namespace

bool HitDatabase::isWanted(quint64 ticket) const
{
    const QMutexLocker lock(&m_waitingLock);
    return ticket == 0 || m_waiting.contains(ticket);
}

void HitDatabase::take(quint64 ticket)
{
    const QMutexLocker lock(&m_waitingLock);
    m_waiting.remove(ticket);
}

void HitDatabase::forget(quint64 ticket)
{
    take(ticket);
}

template <typename Work, typename Answer>
void HitDatabase::ask(quint64 ticket, Work work, Answer answer)
{
    if (ticket != 0) {
        const QMutexLocker lock(&m_waitingLock);
        m_waiting.insert(ticket);
    }
    QMetaObject::invokeMethod(
        m_worker,
        [this, ticket, worker = m_worker, work, answer] {
            if (!isWanted(ticket))
                return;
            auto result = work(worker->store());
            take(ticket);
            QMetaObject::invokeMethod(
                this, [answer, result] { answer(result); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void HitDatabase::requestView(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                              int rows)
{
    ask(
        ticket, [=](HitStore &store) { return store.view(filter, thisRun, rows); },
        [this, ticket](const HistoryView &view) { Q_EMIT viewReady(ticket, view); });
}

void HitDatabase::requestRows(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                              qint64 offset, int rows)
{
    ask(
        ticket, [=](HitStore &store) { return store.historyRows(filter, thisRun, offset, rows); },
        [this, ticket, offset](const QList<HistoryRow> &found) {
            Q_EMIT rowsReady(ticket, offset, found);
        });
}

void HitDatabase::requestCounts(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                                CountBy by)
{
    ask(
        ticket, [=](HitStore &store) { return store.counts(filter, thisRun, by); },
        [this, ticket](const QList<HistoryCount> &counts) { Q_EMIT countsReady(ticket, counts); });
}

void HitDatabase::requestCount(quint64 ticket, const HistoryFilter &filter, const QString &thisRun)
{
    {
        const QMutexLocker lock(&m_waitingLock);
        m_waiting.insert(ticket);
    }
    QMetaObject::invokeMethod(
        m_worker,
        [this, ticket, filter, thisRun] {
            countOn(ticket, filter, thisRun, 0, m_worker->store().lastHitId(), 0);
        },
        Qt::QueuedConnection);
}

void HitDatabase::countOn(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                          qint64 afterId, qint64 lastId, qint64 counted)
{
    if (!isWanted(ticket))
        return;
    const qint64 upTo = qMin(lastId, afterId + countedAtOnce);
    counted += qMax<qint64>(0, m_worker->store().countBetween(filter, thisRun, afterId, upTo));
    if (upTo < lastId) {
        QMetaObject::invokeMethod(
            m_worker,
            [this, ticket, filter, thisRun, upTo, lastId, counted] {
                countOn(ticket, filter, thisRun, upTo, lastId, counted);
            },
            Qt::QueuedConnection);
        return;
    }
    take(ticket);
    QMetaObject::invokeMethod(
        this, [this, ticket, counted] { Q_EMIT countReady(ticket, counted); },
        Qt::QueuedConnection);
}

void HitDatabase::requestExport(const HistoryFilter &filter, const QString &thisRun,
                                const QString &path)
{
    ask(
        0,
        [=](HitStore &store) {
            const QString error = saveWholeFile(path, historyCsv(store, filter, thisRun));
            return std::pair<qint64, QString>(error.isEmpty() ? store.count(filter, thisRun) : 0,
                                              error);
        },
        [this, path](const std::pair<qint64, QString> &done) {
            Q_EMIT exportFinished(path, done.first, done.second);
        });
}
