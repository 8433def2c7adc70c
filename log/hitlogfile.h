#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

class QIODevice;

// Writes every byte of data to the device. On failure the device's own
// error text goes to *error (when error is not null).
bool writeAll(QIODevice &device, const QByteArray &data, QString *error);

// Replaces the file at path by the whole log text followed by one CR LF, in
// UTF-8. The new contents go to a temporary file beside it that then takes the
// file's place, so the file is never left half written: when anything fails
// the old file stays as it was and *error says why.
bool WriteHitLogFile(const QString &path, const QString &logText, QString *error);

// Keeps the log file written and remembers whether it is failing, so that the
// user hears about a failure once and not at every hit.
class HitLogFileWriter
{
public:
    struct WriteOutcome
    {
        bool ok = true;
        // False when nothing was written (logging to the file is off).
        bool written = false;
        // True on the first failing write after a success (or the first write
        // of all): the caller shows message to the user.
        bool tellUser = false;
        QString message;
    };

    WriteOutcome write(const QString &path, const QString &logText);
    bool isFailing() const { return m_failing; }

private:
    bool m_failing = false;
};

// The words shown when the log file cannot be written: the file, the cause,
// and that no hit is lost.
QString hitLogFileFailureMessage(const QString &path, const QString &cause);
Q_DECLARE_METATYPE(HitLogFileWriter::WriteOutcome)
