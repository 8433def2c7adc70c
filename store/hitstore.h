#pragma once

#include "log/historyfilter.h"
#include "log/historyreader.h"
#include "log/historysource.h"
#include "store/hitfind.h"
#include "store/retention.h"
#include "store/storedhit.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <memory>

// The hit database: one SQLite file with a WAL journal, used through one
// connection on the thread that made the HitStore. Hits are known by their
// run and line, so adding a hit twice keeps it once.
class HitStore
{
public:
    // What went wrong with the last call.
    enum class Fault {
        None,
        Unwritable, // no room on the disk, or the file cannot be written now
        Damaged,    // the file is not a database, or its pages are broken
    };

    HitStore();
    ~HitStore();
    HitStore(const HitStore &) = delete;
    HitStore &operator=(const HitStore &) = delete;

    // Opens the file, making it when missing, and brings its schema up to
    // date. A file that is no database is Damaged.
    Fault open(const QString &path);
    // Opens the file to read only, beside the connection that writes it;
    // a file missing or not yet at this program's schema is not opened.
    Fault openForReading(const QString &path);
    void close();
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    QString lastError() const { return m_error; }
    bool trigramSearch() const { return m_trigram; }

    // Each in one transaction: all of it goes in, or none of it.
    Fault add(const StoredHit &hit) { return addAll({hit}); }
    Fault addAll(const QList<StoredHit> &hits);
    Fault setRecording(const StoredRecording &recording);

    // Adds the hits of a run file not added before; a file already
    // imported with the same size is passed over. added counts the new hits.
    struct Import
    {
        Fault fault = Fault::None;
        int added = 0;
        int skippedLines = 0;
        bool passedOver = false;
    };
    Import importRunFile(const HistoryRun &run, const QByteArray &contents);
    // Whether a run file of this size was imported before.
    bool wasImported(const QString &run, qint64 bytes);

    // The hits the filter shows, newest first, as the history's export
    // holds them: the seven log fields and the run's name.
    qint64 count(const HistoryFilter &filter, const QString &thisRun);
    QList<QStringList> rows(const HistoryFilter &filter, const QString &thisRun, qint64 offset,
                            qint64 limit);
    // The same rows with their recordings, for the history's table.
    QList<HistoryRow> historyRows(const HistoryFilter &filter, const QString &thisRun,
                                  qint64 offset, qint64 limit);
    // The hits of the filter among those with afterId < id <= lastId, and
    // the id of the last hit: a count that takes long, made part by part.
    qint64 countBetween(const HistoryFilter &filter, const QString &thisRun, qint64 afterId,
                        qint64 lastId);
    qint64 lastHitId();
    // The count and first rows of a filter, with the figures around them.
    HistoryView view(const HistoryFilter &filter, const QString &thisRun, int rows);
    // Hits and air time per channel or talkgroup of what the filter shows,
    // sorted as the history's count table shows them.
    QList<HistoryCount> counts(const HistoryFilter &filter, const QString &thisRun, CountBy by);

    // The recording of a hit, or empty; for the history and the tests.
    StoredRecording recordingOf(const QString &run, int line);
    // The same by the hit's id, as the History's rows give it.
    StoredRecording recordingById(qint64 hitId);

    // The recordings not deleted: the oldest ones (at most count), and the
    // size of them all.
    QList<KeptRecording> oldestRecordings(int count);
    qint64 keptRecordingBytes();
    // Marks the recordings of the hits deleted; their rows stay.
    Fault markRecordingsDeleted(const QList<qint64> &hits);

    // The names remembered to save a look-up.
    qsizetype rememberedNames() const { return m_names.size(); }

    // SQLite's "PRAGMA integrity_check": "ok" or what it found.
    QString integrityCheck();

private:
    Fault fail(const class QSqlError &error);
    Fault failText(const QString &text, Fault fault);
    bool insertHit(const StoredHit &hit, int *added = nullptr);
    // Adds the transaction's hits to their combinations and runs, and its
    // new names to the find's index, just before it is committed.
    bool countCombos();
    qint64 nameId(const QString &text, bool isTime = false);
    // Remembers many names and keeps a large page cache for hits coming in
    // bulk, few and a small one for hits coming one by one.
    void rememberForBulk(bool bulk);
    // SQLite's page cache, in KiB.
    void keepPages(int kib);
    qint64 comboId(const QList<qint64> &names);
    // The way to the hits of the filter, and their count: up to a bound
    // when many must be looked at (Quick), all of them, or none (the count
    // left 0, exact telling whether a count would be quick).
    enum class Counting { Quick, All, None };
    HitPlan plan(const HistoryFilter &filter, const QString &thisRun, Counting counting);
    QList<HistoryRow> historyRows(const HitPlan &plan, qint64 offset, qint64 limit);
    // The first row of a query's answer as numbers, and its first number
    // (-1 when it failed).
    QList<double> numbers(const SqlPart &query);
    qint64 number(const SqlPart &query);
    qint64 runId(const QString &run);
    bool exec(QSqlQuery &query);
    // The statement of sql, prepared once per connection.
    QSqlQuery &prepared(const QString &sql);

    QString m_connection;
    QString m_path;
    QString m_error;
    bool m_open = false;
    bool m_trigram = false;
    Fault m_lastFault = Fault::None;
    bool m_bulk = false;
    bool m_found = false; // a find has been made: the page cache stays large
    int m_pageCacheKiB = 0;
    QHash<QString, qint64> m_names;
    QHash<QString, qint64> m_runs;
    QHash<QString, qint64> m_combos;
    QSet<qint64> m_timeNames;
    // The hits and air time added to each combination in the transaction.
    QHash<qint64, std::pair<qint64, qint64>> m_comboAdded;
    // The hits added to each run in the transaction, and their first and
    // last start.
    struct RunAdded
    {
        qint64 hits = 0;
        qint64 first = 0;
        qint64 last = 0;
    };
    QHash<qint64, RunAdded> m_runAdded;
    // The first name added in the transaction, or -1.
    qint64 m_firstNewName = -1;
    QHash<QString, std::shared_ptr<QSqlQuery>> m_prepared;
};

// Where a damaged database file is moved: its name with ".damaged-" and the
// date (yyyy-MM-dd) after it, and a number when that name is taken.
QString damagedFilePath(const QString &path, QDate today);
// Moves the file and its WAL journal aside; returns the new path, or empty.
QString moveDamagedAside(const QString &path, QDate today);
