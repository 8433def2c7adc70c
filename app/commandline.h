#pragma once

#include <QString>
#include <QStringList>

// The command line: --port PATH (repeatable), --data-dir DIR, --demo,
// --help, --version.
struct CommandLine
{
    QStringList ports; // relative paths made absolute
    QString dataDir;
    bool demo = false;
    bool ok = true;
    QString error;
    // Help or version text asked for: printed to standard output, and the
    // program ends at once with exit code 0.
    QString info;
};

CommandLine parseCommandLine(const QStringList &arguments);

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
