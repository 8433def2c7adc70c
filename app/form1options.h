#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Clock;

// What the program is started with: the data folder (the program's own
// folder for its settings and logs), the serial devices named on the command
// line, and the clock. Tests fill these in; main() takes them from the
// command line.
struct Form1Options
{
    QString dataFolder;
    QStringList givenPorts;
    // Ask the system for its serial devices; tests switch this off so that
    // only the given pseudo-terminals are listed.
    bool listSystemPorts = true;
    // When set, asked for the system's serial devices instead of the system
    // (tests: a device that appears while the program runs).
    std::function<QStringList()> systemPorts;
    const Clock *clock = nullptr; // nullptr: the system clock
    // Shows a message to the user; by default a message box with the
    // warning icon. The modal messages of the program wait until it returns.
    std::function<void(const QString &text)> showMessage;
    // Asks a yes/no question whose default is No; true for Yes. By default a
    // message box.
    std::function<bool(const QString &question)> askQuestion;
    // Asks the user for a folder (the log folder); empty when cancelled. By
    // default the system's folder picker.
    std::function<QString(const QString &startIn)> chooseFolder;
    // The sound module's file; empty for where the program is installed
    // (tests: a module that is missing).
    QString soundModule;
    // The web remote module's file, likewise.
    QString webModule;
    // The web remote started on this port at start-up (--web; 0: any free
    // port); unset: as its settings file says.
    std::optional<quint16> webPort;
};
