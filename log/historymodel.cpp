#include "log/historymodel.h"

#include "log/historyrecording.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

HistoryModel::HistoryModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_runs.append(HistoryRun());
}

void HistoryModel::setThisRun(const QString &name)
{
    m_runs[0].name = name;
}

void HistoryModel::setRecordingFolders(std::function<QStringList()> folders)
{
    m_folders = std::move(folders);
}

void HistoryModel::setLoaded(HistoryLoad load)
{
    beginResetModel();
    QList<HistoryHit> live;
    for (HistoryHit &hit : m_hits) {
        if (hit.run == 0)
            live.append(std::move(hit));
    }
    m_runs.resize(1);
    m_runs.append(load.runs);
    std::reverse(load.hits.begin(), load.hits.end());
    for (HistoryHit &hit : load.hits)
        ++hit.run;
    m_hits = std::move(load.hits);
    m_hits.append(live);
    m_recordings.clear();
    refilter();
    endResetModel();
    Q_EMIT shownChanged();
}

bool HistoryModel::addLiveHit(const QString &line)
{
    QStringView text(line);
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    HistoryHit hit;
    if (!parseHitLine(text, m_runs[0].name, &hit))
        return false;
    refreshRecordings();
    m_hits.append(hit);
    if (hitMatches(hit, m_words, m_filter, 0)) {
        beginInsertRows(QModelIndex(), 0, 0);
        m_shown.prepend(int(m_hits.size() - 1));
        endInsertRows();
    }
    Q_EMIT shownChanged();
    return true;
}

void HistoryModel::setFilter(const HistoryFilter &filter)
{
    const bool narrows = filterNarrows(m_filter, filter);
    const QStringList previousWords = m_words;
    m_filter = filter;
    m_words = filterWords(filter.text);
    beginResetModel();
    if (narrows) {
        // Every row shown holds the words of the previous filter already;
        // only the new or longer words need looking for.
        QStringList fresh;
        for (const QString &word : std::as_const(m_words)) {
            if (!previousWords.contains(word))
                fresh.append(word);
        }
        m_shown.removeIf([this, &fresh](int index) {
            return !hitMatches(m_hits.at(index), fresh, m_filter, 0);
        });
    } else {
        refilter();
    }
    endResetModel();
    Q_EMIT shownChanged();
}

void HistoryModel::refilter()
{
    m_shown.clear();
    for (qsizetype i = m_hits.size() - 1; i >= 0; --i) {
        if (hitMatches(m_hits.at(i), m_words, m_filter, 0))
            m_shown.append(int(i));
    }
}

const HistoryModel::FoundRecording &HistoryModel::recording(int hitIndex) const
{
    auto it = m_recordings.constFind(hitIndex);
    if (it != m_recordings.cend())
        return *it;
    const HistoryHit &hit = m_hits.at(hitIndex);
    QStringList folders;
    if (!m_runs.at(hit.run).folder.isEmpty())
        folders.append(m_runs.at(hit.run).folder);
    if (m_folders)
        folders.append(m_folders());
    folders.removeDuplicates();
    QString line;
    for (const QString &field : hit.fields)
        line += field + u'\t';
    line.chop(1);
    FoundRecording found;
    for (const QString &folder : std::as_const(folders)) {
        auto names = m_wavNames.find(folder);
        if (names == m_wavNames.end()) {
            const QStringList listed =
                QDir(folder).entryList({QStringLiteral("*.wav")}, QDir::Files);
            names = m_wavNames.insert(folder, QSet<QString>(listed.cbegin(), listed.cend()));
        }
        for (const QString &path : hitRecordingCandidates(line, hit.fields[6], folder)) {
            if (names->contains(QFileInfo(path).fileName())) {
                found.path = path;
                found.ms = wavDurationMs(path);
                break;
            }
        }
        if (!found.path.isEmpty())
            break;
    }
    return *m_recordings.insert(hitIndex, found);
}

QString HistoryModel::recordingPath(int row) const
{
    return recording(m_shown.at(row)).path;
}

void HistoryModel::refreshRecordings()
{
    m_recordings.removeIf([](const auto &entry) { return entry.value().path.isEmpty(); });
    m_wavNames.clear();
    if (!m_shown.isEmpty())
        Q_EMIT dataChanged(index(0, Recording), index(int(m_shown.size()) - 1, Recording));
}

QString HistoryModel::cellText(int row, int column) const
{
    const HistoryHit &hit = hitAt(row);
    if (column < HistoryHit::FieldCount)
        return hit.fields[column];
    if (column == Run)
        return m_runs.at(hit.run).name;
    const FoundRecording &found = recording(m_shown.at(row));
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

QList<QStringList> HistoryModel::shownTexts() const
{
    QList<QStringList> rows;
    rows.reserve(m_shown.size());
    for (int row = 0; row < m_shown.size(); ++row) {
        QStringList texts;
        for (int column = 0; column < Recording; ++column)
            texts.append(cellText(row, column));
        rows.append(texts);
    }
    return rows;
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size())
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
