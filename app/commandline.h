#pragma once

#include <QString>
#include <QStringList>

// The command line: --port PATH (repeatable), --data-dir DIR, --demo.
struct CommandLine
{
    QStringList ports;
    QString dataDir;
    bool demo = false;
    bool ok = true;
    QString error;
};

CommandLine parseCommandLine(const QStringList &arguments);

// The data folder: the one given, else the user's data location for
// Tollvane ("demo" below it for the demo). Created when missing.
QString resolveDataFolder(const QString &given, bool demo);
