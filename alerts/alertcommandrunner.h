#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <utility>

class QProcess;

// Runs the rules' commands: a program and its argument list, never through
// a shell. One command per rule at a time; one that runs too long is ended.
class AlertCommandRunner : public QObject
{
    Q_OBJECT
public:
    struct Result
    {
        int ruleId = 0;
        bool ok = false;   // started and exited with status 0
        QString status;    // "exit 0", "exit 3", "could not start: ...", "ended after 30 s"
        QString errorLine; // the last line of its error output
    };

    explicit AlertCommandRunner(QObject *parent = nullptr);
    // Commands still running are ended.
    ~AlertCommandRunner() override;

    // False when the rule's last command is still running (nothing starts).
    bool start(int ruleId, const QString &program, const QStringList &arguments,
               const QList<std::pair<QString, QString>> &environment);
    bool isRunning(int ruleId) const { return m_running.contains(ruleId); }

    int timeoutMs = 30000;

Q_SIGNALS:
    void finished(const AlertCommandRunner::Result &result);

private:
    void end(int ruleId, QProcess *process, bool ok, const QString &status);

    QHash<int, QProcess *> m_running;
};
