#include "app/commandline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Front panel and reception logger for the BCD396T scanner."));
    parser.addHelpOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Serial device for the next COM port number (repeatable)."),
        QStringLiteral("PATH"));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Folder for settings, logs and extended info."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Run against the built-in simulated radio."));
    parser.addOption(port);
    parser.addOption(dataDir);
    parser.addOption(demo);

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.ok = false;
        line.error = parser.errorText();
        return line;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        line.ok = false;
        line.error = parser.helpText();
        return line;
    }
    line.ports = parser.values(port);
    line.dataDir = parser.value(dataDir);
    line.demo = parser.isSet(demo);
    return line;
}

QString resolveDataFolder(const QString &given, bool demo)
{
    QString folder = given;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/tollvane");
        if (demo)
            folder += QStringLiteral("/demo");
    }
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    QDir().mkpath(folder);
    return folder;
}
