#pragma once

#include "log/historyfilter.h"
#include "log/historysource.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <functional>

// The hits the filter lets through, newest first, asked of the history's
// source a page at a time as the rows come into view. Only the page last
// asked for and its neighbours are kept. Columns: the log table's seven, the
// run, and the recording's length.
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
    static constexpr int pageRows = 200;

    explicit HistoryModel(QObject *parent = nullptr);

    // thisRun: the running program's log file name without ".txt".
    void setSource(HistorySource *source, const QString &thisRun);
    HistorySource *source() const { return m_source; }
    const QString &thisRun() const { return m_thisRun; }
    // The folders a recording the database does not know is looked for in.
    void setRecordingFolders(std::function<QStringList()> folders);

    void setFilter(const HistoryFilter &filter);
    const HistoryFilter &filter() const { return m_filter; }
    // Asks the source again: a filter's view anew, or the rows kept in
    // place with the new hits added on top.
    void refresh(bool anew);

    int totalCount() const { return int(m_view.total); }
    // Whether a view asked for has not come yet.
    bool isWaiting() const { return m_viewTicket != 0; }
    // Whether the rows shown are only those counted so far, all of them to come.
    bool isCounting() const { return m_view.counting; }
    // The last view's figures (its rows are not kept there).
    const HistoryView &view() const { return m_view; }
    // Pages kept in memory, for the tests.
    qsizetype pagesKept() const { return m_pages.size(); }

    // The recording of a row: its path, or empty when none is known or found.
    QString recordingPath(int row) const;
    // Looks again for recordings not found before.
    void refreshRecordings();

    // A row not fetched yet is asked for and reads empty until it comes.
    QString cellText(int row, int column) const;
    static QStringList header();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // The rows changed (a filter, new hits).
    void shownChanged();

private:
    struct FoundRecording
    {
        QString path;
        qint64 ms = -1;
        bool deleted = false;
    };
    const HistoryRow *rowAt(int row) const;
    void fetchPage(qint64 page) const;
    void onView(quint64 ticket, const HistoryView &view);
    void onRows(quint64 ticket, qint64 offset, const QList<HistoryRow> &rows);
    void onCount(quint64 ticket, qint64 count);
    // Tells the source that nothing asked for so far is wanted.
    void forgetAsked();
    FoundRecording recording(int row) const;

    QPointer<HistorySource> m_source;
    QString m_thisRun;
    HistoryFilter m_filter;
    HistoryView m_view;
    quint64 m_viewTicket = 0;
    quint64 m_countTicket = 0;
    bool m_viewAgain = false;
    bool m_anew = true;
    mutable QMap<qint64, QList<HistoryRow>> m_pages;
    mutable QHash<quint64, qint64> m_pageTickets; // page asked for, by ticket
    mutable qint64 m_lastPage = 0;
    std::function<QStringList()> m_folders;
    mutable QHash<QString, FoundRecording> m_found;
    // The WAV file names of each folder looked in, listed once until the
    // next refreshRecordings().
    mutable QHash<QString, QSet<QString>> m_wavNames;
};
