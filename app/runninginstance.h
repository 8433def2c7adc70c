#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <sys/types.h>
#include <vector>

class QSocketNotifier;

// The running Tollvane of a data folder listens on a local socket named
// after that folder (in the temporary folder, for this user only); a second
// start on the folder asks it to show its window.
class RunningInstance : public QObject
{
    Q_OBJECT
public:
    explicit RunningInstance(const QString &dataFolder, QObject *parent = nullptr);
    ~RunningInstance() override;

    // Starts listening; a socket left by a program that ended without
    // removing it is replaced (the caller holds the folder's lock).
    bool listen();

    // From a second start: asks the running program to show its window.
    // False when it could not be reached within timeoutMs.
    static bool askToShow(const QString &dataFolder, int timeoutMs = 2000);

    static QString serverName(const QString &dataFolder);
    // The socket's file: serverName in the temporary folder.
    static QString socketPath(const QString &dataFolder);

Q_SIGNALS:
    void showRequested();

private:
    struct Caller;
    void takeCallers();
    void readFrom(Caller *caller);

    QString m_path;
    int m_fd = -1;
    ino_t m_inode = 0; // the socket file made, removed at the end if still there
    QSocketNotifier *m_notifier = nullptr;
    std::vector<std::unique_ptr<Caller>> m_callers;
};
