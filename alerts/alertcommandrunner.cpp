#include "alerts/alertcommandrunner.h"

#include "alerts/alertcommand.h"

#include <QProcess>
#include <QTimer>
#include <QVariant>

AlertCommandRunner::AlertCommandRunner(QObject *parent) : QObject(parent) {}

AlertCommandRunner::~AlertCommandRunner()
{
    for (QProcess *process : std::as_const(m_running)) {
        process->disconnect(this);
        process->kill();
        process->waitForFinished(1000);
        delete process;
    }
}

bool AlertCommandRunner::start(int ruleId, const QString &program, const QStringList &arguments,
                               const QList<std::pair<QString, QString>> &environment)
{
    if (isRunning(ruleId))
        return false;
    auto *process = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : environment)
        env.insert(name, value);
    process->setProcessEnvironment(env);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProgram(program);
    process->setArguments(arguments);
    m_running.insert(ruleId, process);

    auto *limit = new QTimer(process);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, process, [process] {
        process->setProperty("timedOut", true);
        process->kill();
    });
    connect(process, &QProcess::errorOccurred, this,
            [this, ruleId, process](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart)
                    end(ruleId, process, false,
                        QStringLiteral("could not start: %1").arg(process->errorString()));
            });
    connect(process, &QProcess::finished, this,
            [this, ruleId, process](int code, QProcess::ExitStatus exit) {
                if (process->property("timedOut").toBool())
                    end(ruleId, process, false,
                        QStringLiteral("ended after %1 s").arg(timeoutMs / 1000.0));
                else if (exit == QProcess::CrashExit)
                    end(ruleId, process, false, QStringLiteral("crashed"));
                else
                    end(ruleId, process, code == 0, QStringLiteral("exit %1").arg(code));
            });
    process->start();
    limit->start(timeoutMs);
    return true;
}

void AlertCommandRunner::end(int ruleId, QProcess *process, bool ok, const QString &status)
{
    if (m_running.value(ruleId) != process)
        return;
    m_running.remove(ruleId);
    const QString errorLine = lastOutputLine(process->readAllStandardError());
    process->deleteLater();
    Q_EMIT finished({ruleId, ok, status, errorLine});
}
