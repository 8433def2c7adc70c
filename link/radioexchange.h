#pragma once

#include "link/radioport.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

// One command and its answer on the radio's line, on the event loop: the
// command goes out, and the exchange ends as soon as the answer's line is
// complete (its CR has arrived). Lines that are not the answer (late answers
// to earlier commands, the poll's last replies) are read and dropped. A
// radio that sends nothing for silenceMs gives an empty answer; so does one
// that keeps sending without ever finishing the answer, after longestMs.
class RadioExchange : public QObject
{
    Q_OBJECT
public:
    explicit RadioExchange(RadioPort &port, QObject *parent = nullptr);

    // Drops whatever waits unread, sends the command and waits for its
    // answer; answered() follows. A running exchange is given up first.
    void ask(const QByteArray &command);
    // Gives up the running exchange: no answered() for it.
    void cancel();
    bool busy() const { return m_busy; }

    static constexpr int silenceMs = 200;
    static constexpr int longestMs = 2000;

Q_SIGNALS:
    // The answer line without its CR; empty when the radio did not answer.
    void answered(const QByteArray &reply);

private:
    void onBytesArrived();
    void finish(const QByteArray &reply);

    RadioPort &m_port;
    QByteArray m_name;
    QByteArray m_received;
    QTimer m_silence;
    QTimer m_longest;
    bool m_busy = false;
};
