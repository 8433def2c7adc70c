#pragma once

#include "log/historycounts.h"
#include "log/historyfilter.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>

// One row of the history: the seven fields of its log line and its run, and
// its recording as it was saved.
struct HistoryRow
{
    QStringList texts; // the seven log fields, then the run's name
    QString recordingPath;
    qint64 recordingMs = -1;
    bool recordingDeleted = false;
    qint64 hitId = -1;
    QString system; // the first field holds both, as "system / group"
    QString group;
};

// What the history shows for a filter: how many hits it lets through, of
// how many, the first rows, and what the run files held that was not a hit.
struct HistoryView
{
    qint64 shown = 0;
    // shown is only how many were counted so far: countReady() brings them all.
    bool counting = false;
    qint64 total = 0;
    QList<HistoryRow> rows;
    int skippedLines = 0;
    int filesWithSkips = 0;
    QDate oldest; // the dates of the oldest and the newest run
    QDate newest;
};

// Where the history's rows come from. Every request is answered later by a
// signal carrying the request's ticket; nothing here waits for the disk.
class HistorySource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    static quint64 nextTicket()
    {
        static std::atomic<quint64> last{0};
        return ++last;
    }

    virtual void requestView(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                             int rows) = 0;
    virtual void requestRows(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                             qint64 offset, int rows) = 0;
    virtual void requestCounts(quint64 ticket, const HistoryFilter &filter, const QString &thisRun,
                               CountBy by) = 0;
    // Counts every hit of a filter whose view came while counting; answered
    // by countReady().
    virtual void requestCount(quint64 ticket, const HistoryFilter &filter,
                              const QString &thisRun) = 0;
    // The answer to a request is not wanted any more: a request not started
    // is not run, and a count under way stops.
    virtual void forget(quint64 ticket) = 0;
    // Writes the rows the filter shows, newest first, as CSV to path.
    virtual void requestExport(const HistoryFilter &filter, const QString &thisRun,
                               const QString &path) = 0;
    // Whether run files are being read in.
    virtual bool isImporting() const = 0;

Q_SIGNALS:
    void viewReady(quint64 ticket, const HistoryView &view);
    void rowsReady(quint64 ticket, qint64 offset, const QList<HistoryRow> &rows);
    void countsReady(quint64 ticket, const QList<HistoryCount> &counts);
    void countReady(quint64 ticket, qint64 count);
    void exportFinished(const QString &path, qint64 rows, const QString &error);
    // Hits or recordings were added: what is shown may have changed.
    void hitsChanged();
    void importProgress(int filesDone, int filesTotal);
    void importFinished(int hitsAdded, int skippedLines, int filesWithSkips);
};
