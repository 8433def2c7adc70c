// The hit log: the log box, the run's text file and the table.
#include "app/form1.h"

#include "log/fixforlog.h"
#include "log/logfilepath.h"
#include "log/logfolderchoice.h"
#include "log/widgets/hitlogview.h"
#include "log/widgets/loggridview.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QTableView>

QString Form1::hitLogFilePath() const
{
    return ::hitLogFilePath(log_folder, m_options.dataFolder, startup_date, startup_time);
}

void Form1::WriteHitLogFile()
{
    m_logFile.write(hitLogFilePath(), m_log.text());
}

void Form1::onLogFileWritten(const HitLogFileWriter::WriteOutcome &outcome)
{
    if (outcome.tellUser)
        tellUser(outcome.message);
}

void Form1::flushLogFile()
{
    m_logFile.waitUntilWritten();
    QCoreApplication::sendPostedEvents(&m_logFile);
}

void Form1::logHitLine(const QString &line)
{
    m_log.insertHitLine(line);
    onLogChanged();
}

void Form1::onLogChanged()
{
    // The box paints the log text itself; it only needs to know it changed.
    logbox->logChanged();
    if (LogTextCheck->isChecked())
        WriteHitLogFile();
    RebuildLogGrid();
}

void Form1::RebuildLogGrid()
{
    grid_blank_fill = false;
    grdInfo->setUpdatesEnabled(false);
    m_grid.RebuildLogGrid(m_log.text());
    ShadeLogGrid(grdInfo);
    grdInfo->setUpdatesEnabled(true);
}

void Form1::SetUpLogGrid()
{
    m_grid.SetUpLogGrid(grid_blank_fill);
    ShadeLogGrid(grdInfo);
}

void Form1::onLogTextCheckClicked()
{
    if (LogTextCheck->isChecked())
        WriteHitLogFile();
}

void Form1::onLogDirClicked()
{
    const QString picked =
        m_options.chooseFolder(isLogFolder(log_folder) ? log_folder : QDir::homePath());
    const LogFolderChoice choice = chooseLogFolder(picked, m_options.dataFolder);
    if (choice.changed) {
        const QString before = hitLogFilePath();
        log_folder = choice.logFolder;
        moveThisRunsFile(before);
        showLogFolder();
        if (isLogFolder(picked))
            tellUserBriefly(choice.message);
        else
            tellUser(choice.message);
        importRunFiles();
    }
    focusLogo();
}

void Form1::onClearLogClicked()
{
    const qsizetype hits = m_log.lineCount();
    if (hits > 0 && !askUser(QStringLiteral("Clear the %1 hits of this run from the log box, the "
                                            "table and this run's log file? The History "
                                            "keeps them.")
                                 .arg(hits))) {
        focusLogo();
        return;
    }
    m_log.clear();
    onLogChanged();
    grid_blank_fill = true;
    SetUpLogGrid();
    focusLogo();
}
