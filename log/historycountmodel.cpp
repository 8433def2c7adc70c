#include "log/historycountmodel.h"

HistoryCountModel::HistoryCountModel(QObject *parent) : QAbstractTableModel(parent) {}

void HistoryCountModel::setCounts(QList<HistoryCount> counts, CountBy by)
{
    beginResetModel();
    m_counts = std::move(counts);
    m_by = by;
    m_most = m_counts.isEmpty() ? 0 : m_counts.first().airSeconds;
    endResetModel();
}

int HistoryCountModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_counts.size());
}

int HistoryCountModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryCountModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_counts.size())
        return {};
    const HistoryCount &count = m_counts.at(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Name:
            return count.name;
        case Hits:
            return count.hits;
        default:
            return durationText(count.airSeconds);
        }
    }
    if (role == BarRole && index.column() == AirTime)
        return m_most > 0 ? double(count.airSeconds) / double(m_most) : 0.0;
    if (role == Qt::TextAlignmentRole && index.column() != Name)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole && index.column() == Name)
        return count.name;
    return {};
}

QVariant HistoryCountModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Name:
        return m_by == CountBy::Channel ? QStringLiteral("Channel") : QStringLiteral("TGID / Tone");
    case Hits:
        return QStringLiteral("Hits");
    case AirTime:
        return QStringLiteral("Air Time");
    default:
        return {};
    }
}
