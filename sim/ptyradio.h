#pragma once

#include "sim/simradio.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// Serves a SimRadio on a pseudo-terminal, the way the radio answers on its
// serial cable: the program under test opens slavePath() like a serial port.
// Commands end at CR (LF is ignored); every command gets its reply, in
// order, each ended by CR, after the reply delay plus the time the reply's
// bytes take on the wire at the set speed (10 bits a byte).
class PtyRadio : public QObject
{
    Q_OBJECT
public:
    enum class Fault {
        None,
        Silent,      // commands are taken but nothing is answered
        Garbage,     // each command is answered by junk bytes without a CR
        SplitReplies // each reply goes out in two writes a few ms apart
    };
    Q_ENUM(Fault)

    struct Received
    {
        QByteArray line; // the command, without CR and LF
        qint64 atMs;     // elapsedMs() when its CR arrived
        // How long the replies to earlier commands still had to go on the
        // wire when its CR arrived: above zero, queries pile up.
        qint64 backlogUs = 0;
    };

    explicit PtyRadio(QObject *parent = nullptr);
    ~PtyRadio() override;

    // Opens a new pseudo-terminal pair (raw mode, no echo) and serves the
    // radio on it. Returns false, with errorText() set, when that fails.
    // After unplug() it opens a new pair with a new slave path.
    bool start();
    bool isRunning() const { return m_master >= 0; }
    // The device to open, e.g. "/dev/pts/3"; the last one after unplug().
    QString slavePath() const { return m_slavePath; }
    QString errorText() const { return m_errorText; }

    // Closes the line: the far end sees the device gone. Unsent replies are
    // dropped; the log of what was received stays.
    void unplug();
    // Pushes a burst of junk bytes (no CR, no comma) after what is queued.
    void flood(int bytes);

    SimRadio &radio() { return m_radio; }
    const SimRadio &radio() const { return m_radio; }

    void setFault(Fault fault) { m_fault = fault; }
    Fault fault() const { return m_fault; }
    // Time from a command's CR to the start of its reply; default 3 ms.
    void setReplyDelayMs(int ms) { m_replyDelayUs = qint64(qMax(0, ms)) * 1000; }
    // Line speed used for the wire time of replies; default 115200.
    void setBaud(int baud) { m_baud = qMax(300, baud); }
    int baud() const { return m_baud; }

    // Whether received() and the raw logs are kept; on by default. A radio
    // that runs for days turns it off.
    void setLogging(bool on) { m_logging = on; }

    // Commands received since the start or the last clearReceived().
    QList<Received> received() const { return m_received; }
    // Every byte received, CRs and LFs included.
    QByteArray rawReceived() const { return m_rawReceived; }
    // Every byte handed to the line, in order.
    QByteArray rawSent() const { return m_rawSent; }
    // How many bytes have been handed to the line, counted with or without
    // the logs.
    qint64 bytesSent() const { return m_bytesSent; }
    // Replies taken but not yet all handed to the line.
    bool hasUnsentReplies() const { return !m_scheduled.isEmpty() || !m_outgoing.isEmpty(); }
    void clearReceived();
    // Milliseconds since this object was made: the clock of received().
    qint64 elapsedMs() const { return m_clock.elapsed(); }

Q_SIGNALS:
    // After the radio has taken the command (its reply is scheduled).
    void commandReceived(const QByteArray &line);

private:
    struct Chunk
    {
        QByteArray bytes;
        qint64 dueUs;
    };

    void readCommands();
    void answer(const QByteArray &line);
    void transmit(const QByteArray &bytes, bool split);
    void sendDue();
    void writeOutgoing();
    QByteArray junk(int bytes);
    qint64 nowUs() const { return m_clock.nsecsElapsed() / 1000; }
    qint64 wireUs(qsizetype bytes) const { return qint64(bytes) * 10 * 1000000 / m_baud; }

    SimRadio m_radio;
    QElapsedTimer m_clock;
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_errorText;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QTimer m_sendTimer;

    Fault m_fault = Fault::None;
    qint64 m_replyDelayUs = 3000;
    int m_baud = 115200;
    qint64 m_busyUntilUs = 0; // when the last scheduled reply is on the line
    QList<Chunk> m_scheduled;
    QByteArray m_outgoing; // due, not yet taken by the pseudo-terminal
    QByteArray m_partial;  // command bytes before their CR
    QRandomGenerator m_junkSource{396};

    bool m_logging = true;
    QList<Received> m_received;
    QByteArray m_rawReceived;
    QByteArray m_rawSent;
    qint64 m_bytesSent = 0;
};
