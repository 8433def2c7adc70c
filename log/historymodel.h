#pragma once

#include "log/historyfilter.h"
#include "log/historyhit.h"
#include "log/historyreader.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

#include <functional>

// Every hit of every run the history has read, and the hits of this run as
// they come, newest first; the rows are the hits the filter lets through.
// Columns: the log table's seven, the run, and the recording's length.
class HistoryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        SystemGroup,
        Channel,
        Frequency,
        Code,
        Start,
        End,
        Date,
        Run,
        Recording,
        ColumnCount
    };

    explicit HistoryModel(QObject *parent = nullptr);

    // This run, run number 0; its log file name without ".txt".
    void setThisRun(const QString &name);
    // The folders a recording is looked for in after its run's own folder.
    void setRecordingFolders(std::function<QStringList()> folders);

    // Takes the hits of the earlier runs; this run's hits stay on top.
    void setLoaded(HistoryLoad load);
    // A hit line of this run, just logged (with or without its CR LF).
    bool addLiveHit(const QString &line);

    void setFilter(const HistoryFilter &filter);
    const HistoryFilter &filter() const { return m_filter; }

    int totalCount() const { return int(m_hits.size()); }
    const QList<HistoryHit> &hits() const { return m_hits; }
    // Indexes into hits() of the rows, top row first.
    const QList<int> &shown() const { return m_shown; }
    const HistoryHit &hitAt(int row) const { return m_hits.at(m_shown.at(row)); }

    // The recording of a row: its path, or empty when no file is found.
    QString recordingPath(int row) const;
    // Looks again for recordings not found before (a recording is saved
    // after its hit is logged).
    void refreshRecordings();

    QString cellText(int row, int column) const;
    static QStringList header();
    // Columns 0 to 7 of every row, for the export.
    QList<QStringList> shownTexts() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // The rows changed (a filter, a load, a live hit).
    void shownChanged();

private:
    struct FoundRecording
    {
        QString path;
        qint64 ms = -1;
    };
    const FoundRecording &recording(int hitIndex) const;
    void refilter();

    QList<HistoryRun> m_runs;
    QList<HistoryHit> m_hits; // oldest first
    QList<int> m_shown;
    HistoryFilter m_filter;
    QStringList m_words;
    std::function<QStringList()> m_folders;
    mutable QHash<int, FoundRecording> m_recordings;
    // The WAV file names of each folder looked in, listed once until the
    // next refreshRecordings(): a lookup is then no disk access at all.
    mutable QHash<QString, QSet<QString>> m_wavNames;
};
