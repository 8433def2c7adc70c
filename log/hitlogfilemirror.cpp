#include "log/hitlogfilemirror.h"

#include "log/logfilepath.h"

HitLogFileMirror::HitLogFileMirror(const QString &dataFolder, const QString &startupDate,
                                   const QString &startupTime)
    : m_dataFolder(dataFolder), m_startupDate(startupDate), m_startupTime(startupTime)
{}

QString HitLogFileMirror::filePath() const
{
    return hitLogFilePath(m_logFolder, m_dataFolder, m_startupDate, m_startupTime);
}

HitLogFileMirror::WriteOutcome HitLogFileMirror::setLogToFile(bool on, const QString &logText)
{
    m_logToFile = on;
    return writeIfOn(logText);
}

HitLogFileMirror::WriteOutcome HitLogFileMirror::logTextChanged(const QString &logText)
{
    return writeIfOn(logText);
}

HitLogFileMirror::WriteOutcome HitLogFileMirror::writeIfOn(const QString &logText)
{
    if (!m_logToFile)
        return {};
    return m_writer.write(filePath(), logText);
}
