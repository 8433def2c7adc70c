#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The running Tollvane of a data folder listens on a local socket named
// after that folder; a second start on the folder asks it to show its window.
class RunningInstance : public QObject
{
    Q_OBJECT
public:
    explicit RunningInstance(const QString &dataFolder, QObject *parent = nullptr);

    // Starts listening; a socket left by a program that ended without
    // removing it is replaced (the caller holds the folder's lock).
    bool listen();

    // From a second start: asks the running program to show its window.
    // False when it could not be reached within timeoutMs.
    static bool askToShow(const QString &dataFolder, int timeoutMs = 2000);

    static QString serverName(const QString &dataFolder);

Q_SIGNALS:
    void showRequested();

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};
