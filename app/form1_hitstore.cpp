// The hit database: every logged hit and its recording, and the run files
// of earlier runs read into it.
#include "app/form1.h"

#include "log/historyreader.h"
#include "log/logfilepath.h"
#include "store/runimport.h"

#include <QDateTime>

QString Form1::runName() const
{
    QString name = hitLogFileName(startup_date, startup_time);
    name.chop(int(QStringLiteral(".txt").size()));
    return name;
}

void Form1::startHitDatabase()
{
    if (m_hitDatabase || m_options.dataFolder.isEmpty())
        return;
    m_hitDatabase = std::make_unique<HitDatabase>(HitDatabase::fileIn(m_options.dataFolder));
    connect(m_hitDatabase.get(), &HitDatabase::tellUser, this, &Form1::tellUser);
    connect(m_hitDatabase.get(), &HitDatabase::importProgress, this, [this](int done, int total) {
        showStatusNote(QStringLiteral("Reading earlier runs into the hit database: %1 of %2")
                           .arg(done)
                           .arg(total),
                       3000);
    });
    connect(m_hitDatabase.get(), &HitDatabase::importFinished, this,
            [this](int added, int skippedLines, int filesWithSkips) {
                if (added == 0 && skippedLines == 0)
                    return;
                QString note =
                    QStringLiteral("%1 hits of earlier runs added to the hit database").arg(added);
                if (skippedLines > 0)
                    note += QStringLiteral(" (%1)").arg(skippedText(skippedLines, filesWithSkips));
                showStatusNote(note, 5000);
            });
    importRunFiles();
}

void Form1::importRunFiles()
{
    startHitDatabase();
    if (m_hitDatabase)
        m_hitDatabase->importFolders(
            {effectiveLogFolder(log_folder, m_options.dataFolder), m_options.dataFolder},
            runName());
}

void Form1::storeHit(const FinishedHit &hit, const QString &recordingPath)
{
    if (hit.skipped || m_log.isEmpty())
        return;
    startHitDatabase();
    if (!m_hitDatabase)
        return;
    StoredHit stored = hitOfLogLine(runName(), ++m_storedHits, m_log.line(0).toString(), hit.system,
                                    hit.group, hit.trunked, QDateTime::currentSecsSinceEpoch());
    stored.recordingPath = recordingPath;
    m_hitDatabase->addHit(stored);
}
