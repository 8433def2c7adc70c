#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QString>

// The one owner of the radio's serial line. Commands go out as plain bytes
// ended by a single CR; replies come back as bytes and stay bytes here.
//
// The line has an explicit state. When the device goes away while open (the
// cable is pulled and the line hung up, the far end of a pseudo-terminal
// closes), the port is
// closed once and lost() is emitted once; the read errors that follow are
// not reported again.
class RadioPort : public QObject
{
    Q_OBJECT
public:
    enum class State { Closed, Open, Lost };
    Q_ENUM(State)

    explicit RadioPort(QObject *parent = nullptr);
    ~RadioPort() override;

    // (Re)opens the line on the device at the given speed, 8N1, no flow
    // control. Returns false and leaves the port closed when the device
    // cannot be opened; errorText() then says why, naming the device.
    bool OpenRadioPort(const QString &device, int baud);
    void close();

    // Writes the command and a CR. Ignored unless the port is open.
    void SendCommand(const QByteArray &command);
    // Several commands in one write, each ended by its CR: the line carries
    // them back to back as separate writes would, for one system call.
    void SendCommands(const QList<QByteArray> &commands);

    // Bytes received and not yet taken.
    qint64 bytesWaiting();

    // The poll's set is out and its replies come a millisecond or so apart:
    // they wait in the device until the next read or command takes them, so
    // they wake the program not at all, where each would wake it once (the
    // poll takes a set's replies only at its next tick). A line hung up
    // meanwhile is found at that next read.
    void holdReplies();

    // A look at everything waiting, which stays waiting.
    QByteArray peekWaiting();

    // Takes everything waiting, but only when more than one byte waits: a
    // lone byte is left for the next read.
    QByteArray snapshotRead();

    // Takes every byte waiting, a lone one too (the harvest's read).
    QByteArray drainRead();

    State state() const { return m_state; }
    bool isOpen() const { return m_state == State::Open; }
    QString device() const { return m_device; }
    int baud() const { return m_baud; }
    QString errorText() const { return m_errorText; }
    // Whether a read since the last open found the radio's bytes.
    bool heardSinceOpen() const { return m_heardSinceOpen; }

    // Why a device could not be opened, in words for the user that name it.
    static QString openErrorText(const QString &device, QSerialPort::SerialPortError error,
                                 const QString &systemText);

    // How many bytes the line keeps before it stops reading the device; a
    // flood of bytes is then read and dropped a buffer at a time.
    static constexpr qint64 readBufferBytes = 64 * 1024;

Q_SIGNALS:
    void stateChanged(RadioPort::State state);
    void lost(const QString &reason);
    // New bytes have arrived from the radio.
    void bytesArrived();

private:
    void onError(QSerialPort::SerialPortError error);
    // Watches the device again after a hold; with taking, what waits there
    // now is read.
    void release(bool take);
    void setState(State state);

    QSerialPort m_port;
    State m_state = State::Closed;
    QString m_device;
    int m_baud = 0;
    QString m_errorText;
    bool m_heardSinceOpen = false;
    // The port's watch on the device for bytes to read, turned off while
    // a reply set is held.
    QPointer<QSocketNotifier> m_readWatch;
    bool m_held = false; // bytes may wait in the device, unread
};
