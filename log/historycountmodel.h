#pragma once

#include "log/historycounts.h"

#include <QAbstractTableModel>

// The count table beside the history: one row per channel (or talkgroup) of
// the hits shown, with its hits and air time. BarRole gives the row's air
// time as a share of the largest, 0 to 1, for the bar drawn behind it.
class HistoryCountModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int BarRole = Qt::UserRole + 1;
    enum Column { Name, Hits, AirTime, ColumnCount };

    explicit HistoryCountModel(QObject *parent = nullptr);

    void setCounts(QList<HistoryCount> counts, CountBy by);
    const QList<HistoryCount> &counts() const { return m_counts; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<HistoryCount> m_counts;
    CountBy m_by = CountBy::Channel;
    qint64 m_most = 0;
};
