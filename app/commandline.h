#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The command line: --port PATH (repeatable), --data-dir DIR, --demo,
// --web PORT, --help, --version, and --export-history FILE with its
// --find WORDS, --from DATE and --to DATE.
struct CommandLine
{
    QStringList ports; // relative paths made absolute
    QString dataDir;
    bool demo = false;
    // The web remote started on this port at start-up; 0 when not asked for.
    quint16 webPort = 0;
    // The history written to this CSV file, without a window.
    QString exportHistory;
    QString find;
    QDate from; // a run's date, yyyy-mm-dd or mm-dd-yyyy
    QDate to;
    bool ok = true;
    QString error;
    // Help or version text asked for: printed to standard output, and the
    // program ends at once with exit code 0.
    QString info;
};

CommandLine parseCommandLine(const QStringList &arguments);

// A date given on the command line, "2026-12-06" or "12-06-2026"; invalid
// when it is neither.
QDate historyDate(const QString &text);

// True when the arguments ask for help or the version only, which is
// answered before any window system is needed.
bool asksForInfo(const QStringList &arguments);

// The arguments without the options the window system takes for itself
// (-platform offscreen, -style fusion...), so that the rest can be checked
// before the window system starts.
QStringList withoutWindowSystemOptions(const QStringList &arguments);

// A --port value as QSerialPort must get it: a relative path made absolute
// (QSerialPort would look "sub/radio" up among the system's devices); a bare
// device name ("ttyUSB0") with no such file here stays as it is.
QString portPath(const QString &given);

// The data folder: the one given, else the user's data location for
// Tollvane ("demo" below it for the demo). Created when missing.
QString resolveDataFolder(const QString &given, bool demo);
