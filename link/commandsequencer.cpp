#include "link/commandsequencer.h"

#include <algorithm>
#include <utility>

CommandSequencer::CommandSequencer(std::function<void(const QByteArray &)> send, QObject *parent)
    : QObject(parent), m_send(std::move(send))
{
    m_wait.setSingleShot(true);
    m_wait.setTimerType(Qt::PreciseTimer);
    connect(&m_wait, &QTimer::timeout, this, &CommandSequencer::run);
}

void CommandSequencer::play(const QList<Step> &steps, bool eachStepAlone)
{
    if (steps.isEmpty())
        return;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        m_queue.append(steps.at(i));
        m_queue.last().opensSequence = eachStepAlone || i == 0;
    }
    // A sequence asked for from inside a step (an action, the send) or
    // during a wait joins the queue and is played in its turn.
    if (!m_running && !m_wait.isActive())
        run();
}

bool CommandSequencer::busy() const
{
    return m_running || m_wait.isActive() || !m_queue.isEmpty();
}

void CommandSequencer::clear()
{
    const bool wasBusy = busy();
    m_queue.clear();
    m_wait.stop();
    m_stopping = false;
    if (wasBusy && !m_running)
        Q_EMIT idle();
}

void CommandSequencer::stopAfterCurrent()
{
    if (!busy())
        return;
    const auto next = std::find_if(m_queue.begin(), m_queue.end(),
                                   [](const Step &step) { return step.opensSequence; });
    m_queue.erase(next, m_queue.end());
    m_stopping = true;
    // Waiting after the last step of the sequence: nothing is left to guard.
    if (!m_running && m_queue.isEmpty()) {
        m_wait.stop();
        m_stopping = false;
        Q_EMIT idle();
    }
}

void CommandSequencer::run()
{
    m_running = true;
    while (!m_queue.isEmpty()) {
        const Step step = m_queue.takeFirst();
        if (step.action)
            step.action();
        else if (m_send)
            m_send(step.command);
        if (step.waitAfterMs > 0 && !(m_stopping && m_queue.isEmpty())) {
            // Also after the last step: the wait keeps the line to itself.
            m_wait.start(step.waitAfterMs);
            m_running = false;
            return;
        }
    }
    m_running = false;
    m_stopping = false;
    Q_EMIT idle();
}

QList<CommandSequencer::Step> CommandSequencer::steps(const QList<CommandStep> &commands)
{
    QList<Step> out;
    out.reserve(commands.size());
    for (const CommandStep &command : commands)
        out.append({command.command, command.waitAfterMs, {}});
    return out;
}
