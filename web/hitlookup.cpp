#include "web/hitlookup.h"

#include "log/historyfilter.h"
#include "store/hitstore.h"

HitLookup::HitLookup(const QString &databaseFile) : m_path(databaseFile) {}

HitLookup::~HitLookup() = default;

bool HitLookup::open()
{
    if (m_store && m_store->isOpen())
        return true;
    m_store = std::make_unique<HitStore>();
    if (m_store->openForReading(m_path) == HitStore::Fault::None)
        return true;
    m_store.reset();
    return false;
}

QList<WebHit> HitLookup::find(const QString &words, int limit)
{
    if (!open())
        return {};
    HistoryFilter filter;
    filter.text = words;
    QList<WebHit> hits;
    for (const HistoryRow &row : m_store->historyRows(filter, QString(), 0, limit)) {
        WebHit hit;
        hit.id = row.hitId;
        hit.system = row.system;
        hit.group = row.group;
        hit.channel = row.texts.value(1);
        hit.frequency = row.texts.value(2);
        hit.code = row.texts.value(3);
        hit.start = row.texts.value(4);
        hit.end = row.texts.value(5);
        hit.date = row.texts.value(6);
        hit.recording = !row.recordingPath.isEmpty() && !row.recordingDeleted;
        hits.append(hit);
    }
    return hits;
}

QString HitLookup::recordingFile(qint64 hitId)
{
    if (!open())
        return {};
    const StoredRecording recording = m_store->recordingById(hitId);
    return recording.deleted ? QString() : recording.path;
}
