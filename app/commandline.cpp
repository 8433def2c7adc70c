#include "app/commandline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Front panel and reception logger for the BCD396T scanner."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Serial device for the next COM port number (repeatable)."),
        QStringLiteral("PATH"));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Folder for settings, logs and extended info."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Run against the built-in simulated radio."));
    const QCommandLineOption exportHistory(
        QStringLiteral("export-history"),
        QStringLiteral("Write the hit history to a CSV file, and end."), QStringLiteral("FILE"));
    const QCommandLineOption find(QStringLiteral("find"),
                                  QStringLiteral("Export only the hits holding every word."),
                                  QStringLiteral("WORDS"));
    const QCommandLineOption from(QStringLiteral("from"),
                                  QStringLiteral("Export only runs of this date or later."),
                                  QStringLiteral("DATE"));
    const QCommandLineOption to(QStringLiteral("to"),
                                QStringLiteral("Export only runs of this date or earlier."),
                                QStringLiteral("DATE"));
    const QCommandLineOption web(QStringLiteral("web"),
                                 QStringLiteral("Start the web remote on this port."),
                                 QStringLiteral("PORT"));
    parser.addOption(port);
    parser.addOption(web);
    parser.addOption(dataDir);
    parser.addOption(demo);
    parser.addOptions({exportHistory, find, from, to});

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.ok = false;
        line.error = parser.errorText();
        return line;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        line.info = parser.helpText();
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        line.info = QStringLiteral("Tollvane - V" TOLLVANE_VERSION "\n");
        return line;
    }
    const QStringList ports = parser.values(port);
    for (const QString &given : ports)
        line.ports.append(portPath(given));
    line.dataDir = parser.value(dataDir);
    line.demo = parser.isSet(demo);
    if (parser.isSet(web)) {
        bool number = false;
        const uint webPort = parser.value(web).toUInt(&number);
        if (!number || webPort < 1 || webPort > 65535) {
            line.ok = false;
            line.error = QStringLiteral("--web takes a port number from 1 to 65535: %1")
                             .arg(parser.value(web));
        }
        line.webPort = quint16(webPort);
    }
    line.exportHistory = parser.value(exportHistory);
    line.find = parser.value(find);
    for (const auto &[option, date] : {std::pair{&from, &line.from}, std::pair{&to, &line.to}}) {
        if (!parser.isSet(*option))
            continue;
        *date = historyDate(parser.value(*option));
        if (!date->isValid()) {
            line.ok = false;
            line.error = QStringLiteral("--%1 takes a date as yyyy-mm-dd or mm-dd-yyyy: %2")
                             .arg(option->names().constFirst(), parser.value(*option));
        }
    }
    if (line.exportHistory.isEmpty() &&
        (parser.isSet(find) || parser.isSet(from) || parser.isSet(to))) {
        line.ok = false;
        line.error = QStringLiteral("--find, --from and --to go with --export-history.");
    }
    return line;
}

QDate historyDate(const QString &text)
{
    const QDate iso = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return iso.isValid() ? iso : QDate::fromString(text, QStringLiteral("MM-dd-yyyy"));
}

bool asksForInfo(const QStringList &arguments)
{
    static const QStringList asks{QStringLiteral("-h"),     QStringLiteral("-?"),
                                  QStringLiteral("--help"), QStringLiteral("--help-all"),
                                  QStringLiteral("-v"),     QStringLiteral("--version")};
    for (const QString &argument : arguments.mid(1)) {
        if (asks.contains(argument))
            return true;
    }
    return false;
}

QStringList withoutWindowSystemOptions(const QStringList &arguments)
{
    // The options the window system takes for itself, and whether a value
    // follows them.
    static const QHash<QString, bool> taken{
        {QStringLiteral("platform"), true},      {QStringLiteral("platformpluginpath"), true},
        {QStringLiteral("platformtheme"), true}, {QStringLiteral("plugin"), true},
        {QStringLiteral("qmljsdebugger"), true}, {QStringLiteral("qwindowgeometry"), true},
        {QStringLiteral("qwindowicon"), true},   {QStringLiteral("qwindowtitle"), true},
        {QStringLiteral("session"), true},       {QStringLiteral("display"), true},
        {QStringLiteral("geometry"), true},      {QStringLiteral("style"), true},
        {QStringLiteral("stylesheet"), true},    {QStringLiteral("reverse"), false},
        {QStringLiteral("widgetcount"), false},
    };
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString name = argument;
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        const QString bare = name.section(QLatin1Char('='), 0, 0);
        if (i > 0 && argument.startsWith(QLatin1Char('-')) && taken.contains(bare)) {
            if (taken.value(bare) && !name.contains(QLatin1Char('=')))
                ++i; // its value
            continue;
        }
        kept.append(argument);
    }
    return kept;
}

QString portPath(const QString &given)
{
    if (given.isEmpty() || QDir::isAbsolutePath(given))
        return given;
    if (!given.contains(QLatin1Char('/')) && !QFileInfo::exists(given))
        return given;
    return QDir::cleanPath(QDir::current().absoluteFilePath(given));
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
