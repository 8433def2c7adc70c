#pragma once

#include "link/keyoperations.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

// Plays command sequences with the waits between their commands on the
// event loop, so the window keeps painting and answering while a sequence
// waits. Sequences never mix: one asked for while another plays is queued and
// played after the ones before it, in the order asked for. The poll stays
// out while busy(), so no poll query ever lands inside a sequence.
class CommandSequencer : public QObject
{
    Q_OBJECT
public:
    // One command, or, when action is set, something to do at that turn
    // instead of sending (a toggle's held look, stopping the quick scan), so
    // it happens in order with the commands around it.
    struct Step
    {
        QByteArray command;
        int waitAfterMs = 0;
        std::function<void()> action;
        // Set by play() on the first step of each sequence: where
        // stopAfterCurrent() may cut.
        bool opensSequence = false;
    };

    explicit CommandSequencer(std::function<void(const QByteArray &)> send,
                              QObject *parent = nullptr);

    // Plays the steps. When idle, everything up to the first wait happens
    // right here, before play() returns; the rest follows on the event loop.
    // An empty list does nothing. With eachStepAlone, every step is a
    // sequence of its own (the items of a macro), so that a stop cuts
    // between any two of them.
    void play(const QList<Step> &steps, bool eachStepAlone = false);

    // True from the first step of a sequence until the wait after the last
    // step of the last queued sequence has passed.
    bool busy() const;

    // Drops every step not yet played and the running wait.
    void clear();

    // Lets the sequence now playing end with its own steps (a key's release
    // included), drops the sequences queued behind it and skips the wait
    // after its last step; idle() follows when it is done.
    void stopAfterCurrent();

    static QList<Step> steps(const QList<CommandStep> &commands);

Q_SIGNALS:
    // The last queued step is done and its wait has passed.
    void idle();

private:
    void run();

    std::function<void(const QByteArray &)> m_send;
    QList<Step> m_queue;
    QTimer m_wait;
    bool m_running = false;
    bool m_stopping = false;
};
