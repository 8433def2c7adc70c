#pragma once

#include "log/hitlogfile.h"

#include <QString>

// The run's log file as a mirror of the log text: while "Log To Text File" is
// ticked, every change of the text rewrites the whole file. The file's name is
// fixed at start-up by the run's date and time; its folder can change mid-run,
// and later writes then go to the new folder (the old file stays where it is).
class HitLogFileMirror
{
public:
    using WriteOutcome = HitLogFileWriter::WriteOutcome;

    HitLogFileMirror(const QString &dataFolder, const QString &startupDate,
                     const QString &startupTime);

    const QString &logFolder() const { return m_logFolder; }
    void setLogFolder(const QString &logFolder) { m_logFolder = logFolder; }
    QString filePath() const;

    bool logToFile() const { return m_logToFile; }
    // The check box was clicked: ticking it brings the file up to date at
    // once; clearing it leaves the file with its last contents.
    WriteOutcome setLogToFile(bool on, const QString &logText);
    // The log text changed (a new hit line, or "Clear Log").
    WriteOutcome logTextChanged(const QString &logText);

    bool isFailing() const { return m_writer.isFailing(); }

private:
    WriteOutcome writeIfOn(const QString &logText);

    QString m_dataFolder;
    QString m_startupDate;
    QString m_startupTime;
    QString m_logFolder;
    bool m_logToFile = false;
    HitLogFileWriter m_writer;
};
