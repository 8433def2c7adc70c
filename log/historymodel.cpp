#include "log/historymodel.h"

#include "log/historyhit.h"
#include "log/historyrecording.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>

HistoryModel::HistoryModel(QObject *parent) : QAbstractTableModel(parent) {}

void HistoryModel::setSource(HistorySource *source, const QString &thisRun)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    m_thisRun = thisRun;
    if (!source)
        return;
    connect(source, &HistorySource::viewReady, this, &HistoryModel::onView);
    connect(source, &HistorySource::rowsReady, this, &HistoryModel::onRows);
    connect(source, &HistorySource::countReady, this, &HistoryModel::onCount);
    connect(source, &HistorySource::hitsChanged, this, [this] { refresh(false); });
    refresh(true);
}

void HistoryModel::setRecordingFolders(std::function<QStringList()> folders)
{
    m_folders = std::move(folders);
}

void HistoryModel::setFilter(const HistoryFilter &filter)
{
    m_filter = filter;
    // What was asked for an older filter is not waited for, and not run
    // when it has not started.
    forgetAsked();
    refresh(true);
}

void HistoryModel::forgetAsked()
{
    if (m_source) {
        for (const quint64 ticket : {m_viewTicket, m_countTicket}) {
            if (ticket != 0)
                m_source->forget(ticket);
        }
        for (auto it = m_pageTickets.cbegin(); it != m_pageTickets.cend(); ++it)
            m_source->forget(it.key());
    }
    m_viewTicket = 0;
    m_countTicket = 0;
    m_pageTickets.clear();
}

void HistoryModel::refresh(bool anew)
{
    if (!m_source)
        return;
    m_anew = m_anew || anew;
    if (m_viewTicket != 0) {
        m_viewAgain = true;
        return;
    }
    m_viewTicket = HistorySource::nextTicket();
    m_source->requestView(m_viewTicket, m_filter, m_thisRun, pageRows);
}

void HistoryModel::onView(quint64 ticket, const HistoryView &view)
{
    if (ticket != m_viewTicket)
        return;
    m_viewTicket = 0;
    const qint64 added = view.shown - m_view.shown;
    const bool insert = !m_anew && added > 0 && m_view.shown > 0;
    if (insert)
        beginInsertRows(QModelIndex(), 0, int(added - 1));
    else
        beginResetModel();
    m_view = view;
    m_pages.clear();
    m_pages.insert(0, view.rows);
    m_view.rows.clear();
    // Pages asked for before this view are of older rows.
    for (auto it = m_pageTickets.cbegin(); m_source && it != m_pageTickets.cend(); ++it)
        m_source->forget(it.key());
    m_pageTickets.clear();
    m_lastPage = 0;
    m_found.clear();
    if (insert) {
        endInsertRows();
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    } else {
        endResetModel();
    }
    m_anew = false;
    if (m_countTicket != 0)
        m_source->forget(m_countTicket);
    m_countTicket = 0;
    if (view.counting && m_source) {
        m_countTicket = HistorySource::nextTicket();
        m_source->requestCount(m_countTicket, m_filter, m_thisRun);
    }
    Q_EMIT shownChanged();
    if (m_viewAgain) {
        m_viewAgain = false;
        refresh(false);
    }
}

void HistoryModel::onCount(quint64 ticket, qint64 count)
{
    if (ticket != m_countTicket)
        return;
    m_countTicket = 0;
    m_view.counting = false;
    if (count > m_view.shown) {
        beginInsertRows(QModelIndex(), rowCount(), int(qMin<qint64>(count, INT_MAX) - 1));
        m_view.shown = count;
        endInsertRows();
    }
    Q_EMIT shownChanged();
}

void HistoryModel::fetchPage(qint64 page) const
{
    m_lastPage = page;
    // Pages beyond the neighbours of the one asked for are let go, and
    // so are the requests for them.
    for (auto it = m_pages.begin(); it != m_pages.end();)
        it = qAbs(it.key() - page) > 1 ? m_pages.erase(it) : std::next(it);
    for (auto it = m_pageTickets.begin(); it != m_pageTickets.end();) {
        if (qAbs(it.value() - page) <= 1) {
            ++it;
            continue;
        }
        if (m_source)
            m_source->forget(it.key());
        it = m_pageTickets.erase(it);
    }
    if (!m_source || m_pages.contains(page))
        return;
    for (const qint64 asked : m_pageTickets) {
        if (asked == page)
            return;
    }
    const quint64 ticket = HistorySource::nextTicket();
    m_pageTickets.insert(ticket, page);
    m_source->requestRows(ticket, m_filter, m_thisRun, page * pageRows, pageRows);
}

void HistoryModel::onRows(quint64 ticket, qint64 offset, const QList<HistoryRow> &rows)
{
    const auto asked = m_pageTickets.constFind(ticket);
    if (asked == m_pageTickets.cend())
        return;
    const qint64 page = asked.value();
    m_pageTickets.erase(asked);
    if (qAbs(page - m_lastPage) > 1 || rows.isEmpty())
        return;
    m_pages.insert(page, rows);
    const int first = int(offset);
    const int last = qMin(rowCount() - 1, int(offset + rows.size() - 1));
    if (first <= last)
        Q_EMIT dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

const HistoryRow *HistoryModel::rowAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    const qint64 page = row / pageRows;
    const auto found = m_pages.constFind(page);
    if (found == m_pages.cend() || row % pageRows >= found->size()) {
        fetchPage(page);
        return nullptr;
    }
    return &found->at(row % pageRows);
}

HistoryModel::FoundRecording HistoryModel::recording(int row) const
{
    const HistoryRow *hit = rowAt(row);
    if (!hit)
        return {};
    if (hit->recordingDeleted)
        return {{}, -1, true};
    if (!hit->recordingPath.isEmpty())
        return {hit->recordingPath, hit->recordingMs, false};
    // A hit read from a run file: its recording is looked for by the names
    // the recorder gives.
    const QString line = hit->texts.mid(0, HistoryHit::FieldCount).join(u'\t');
    const QString key = hit->texts.value(Run) + u'\n' + line;
    if (const auto known = m_found.constFind(key); known != m_found.cend())
        return *known;
    FoundRecording found;
    const QStringList folders = m_folders ? m_folders() : QStringList();
    for (const QString &folder : folders) {
        auto names = m_wavNames.find(folder);
        if (names == m_wavNames.end()) {
            const QStringList listed =
                QDir(folder).entryList({QStringLiteral("*.wav")}, QDir::Files);
            names = m_wavNames.insert(folder, QSet<QString>(listed.cbegin(), listed.cend()));
        }
        for (const QString &path : hitRecordingCandidates(line, hit->texts.value(Date), folder)) {
            if (names->contains(QFileInfo(path).fileName())) {
                found.path = path;
                found.ms = wavDurationMs(path);
                break;
            }
        }
        if (!found.path.isEmpty())
            break;
    }
    return *m_found.insert(key, found);
}

QString HistoryModel::recordingPath(int row) const
{
    return recording(row).path;
}

void HistoryModel::refreshRecordings()
{
    m_found.removeIf([](const auto &entry) { return entry.value().path.isEmpty(); });
    m_wavNames.clear();
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, Recording), index(rowCount() - 1, Recording));
}

QString HistoryModel::cellText(int row, int column) const
{
    const HistoryRow *hit = rowAt(row);
    if (!hit)
        return {};
    if (column < Recording)
        return hit->texts.value(column);
    const FoundRecording found = recording(row);
    if (found.deleted)
        return QStringLiteral("deleted");
    if (found.path.isEmpty())
        return QStringLiteral("no recording");
    if (found.ms < 0)
        return QStringLiteral("\u25B6 ?");
    return QStringLiteral("\u25B6 ") + durationText((found.ms + 999) / 1000);
}

QStringList HistoryModel::header()
{
    return {
        QStringLiteral("System / Group"), QStringLiteral("Channel"), QStringLiteral("Frequency"),
        QStringLiteral("TGID / Tone"),    QStringLiteral("Start"),   QStringLiteral("End"),
        QStringLiteral("Date"),           QStringLiteral("Run"),     QStringLiteral("Recording")};
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(qMin<qint64>(m_view.shown, INT_MAX));
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == Frequency || index.column() == Code)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (index.column() == Recording && recordingPath(index.row()).isEmpty())
            return QColor(128, 128, 128);
        return {};
    case Qt::ToolTipRole:
        if (index.column() == Recording) {
            const QString path = recordingPath(index.row());
            return path.isEmpty() ? QStringLiteral("No recording of this hit was found")
                                  : QStringLiteral("Double-click or Enter plays %1").arg(path);
        }
        return {};
    default:
        return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < ColumnCount)
        return header().at(section);
    return {};
}
