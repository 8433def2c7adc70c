#include "link/radioport.h"
#include "link/serialaccess.h"

#include <QTimer>

RadioPort::RadioPort(QObject *parent) : QObject(parent)
{
    connect(&m_port, &QSerialPort::errorOccurred, this, &RadioPort::onError);
    connect(&m_port, &QSerialPort::readyRead, this, &RadioPort::bytesArrived);
}

RadioPort::~RadioPort() = default;

bool RadioPort::OpenRadioPort(const QString &device, int baud)
{
    if (m_port.isOpen())
        close();
    m_device = device;
    m_baud = baud;
    m_errorText.clear();
    if (device.isEmpty()) {
        m_errorText = tr("No serial device stands for this COM port number.");
        setState(State::Closed);
        return false;
    }
    m_port.setPortName(device);
    m_port.setBaudRate(baud);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setReadBufferSize(readBufferBytes);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_errorText = openErrorText(device, m_port.error(), m_port.errorString());
        m_port.clearError();
        setState(State::Closed);
        return false;
    }
    // The radio wants no modem-control lines; keep them in a steady state.
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clear();
    m_port.clearError();
    m_heardSinceOpen = false;
    // The port's own watch for bytes to read, made as it opened.
    m_readWatch.clear();
    m_held = false;
    for (QSocketNotifier *watch : m_port.findChildren<QSocketNotifier *>()) {
        if (watch->type() == QSocketNotifier::Read)
            m_readWatch = watch;
    }
    setState(State::Open);
    return true;
}

void RadioPort::close()
{
    m_held = false;
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
    setState(State::Closed);
}

void RadioPort::SendCommand(const QByteArray &command)
{
    SendCommands({command});
}

void RadioPort::SendCommands(const QList<QByteArray> &commands)
{
    if (m_state != State::Open)
        return;
    // Replies to these commands must wake the program; what is held stays
    // for the next read.
    release(false);
    QByteArray bytes;
    for (const QByteArray &command : commands)
        bytes += command + '\r';
    m_port.write(bytes);
    // Hand the bytes to the device now, so they leave in the order written
    // even while a sequence waits between its commands.
    m_port.flush();
}

qint64 RadioPort::bytesWaiting()
{
    release(true);
    return m_state == State::Open ? m_port.bytesAvailable() : 0;
}

QByteArray RadioPort::peekWaiting()
{
    release(true);
    return m_state == State::Open ? m_port.peek(m_port.bytesAvailable()) : QByteArray();
}

void RadioPort::holdReplies()
{
    if (!m_readWatch || m_state != State::Open)
        return;
    m_held = true;
    m_readWatch->setEnabled(false);
}

void RadioPort::release(bool take)
{
    if (!m_held)
        return;
    if (m_readWatch && !m_readWatch->isEnabled())
        m_readWatch->setEnabled(true);
    if (!take || m_state != State::Open)
        return;
    // Reads what waits in the device now; bytesArrived is told.
    m_held = false;
    m_port.waitForReadyRead(0);
}

QByteArray RadioPort::snapshotRead()
{
    if (bytesWaiting() <= 1)
        return {};
    m_heardSinceOpen = true;
    return m_port.readAll();
}

QByteArray RadioPort::drainRead()
{
    return bytesWaiting() > 0 ? m_port.readAll() : QByteArray();
}

void RadioPort::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || m_state != State::Open)
        return;
    // A read error means the device said it had bytes and then gave none:
    // end of file, which is how a hung-up line (a USB adapter pulled out)
    // answers every read from then on.
    if (error == QSerialPort::ResourceError || error == QSerialPort::PermissionError ||
        error == QSerialPort::DeviceNotFoundError || error == QSerialPort::ReadError) {
        const QString cause =
            error == QSerialPort::ReadError ? tr("the line was hung up") : m_port.errorString();
        m_errorText = tr("The radio on %1 has gone away (%2).").arg(m_device, cause);
        setState(State::Lost);
        // The port repeats its read error until it is closed. Close it, and
        // tell the owner, once the signal that reported the error has
        // returned: closing a port inside its own error report is unsafe.
        QTimer::singleShot(0, this, [this] {
            if (m_state != State::Lost)
                return;
            if (m_port.isOpen())
                m_port.close();
            m_port.clearError();
            Q_EMIT lost(m_errorText);
        });
        return;
    }
    // Other errors (a write that timed out, a framing error) leave the line
    // usable; the poll drops what it cannot read.
    m_port.clearError();
}

void RadioPort::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

QString RadioPort::openErrorText(const QString &device, QSerialPort::SerialPortError error,
                                 const QString &systemText)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return tr("Cannot open %1: there is no such device. Is the radio's cable plugged in?")
            .arg(device);
    case QSerialPort::PermissionError: {
        const SerialAccess access = serialAccessOf(device);
        if (access.needsGroup())
            return tr("Cannot open %1: permission denied. %2")
                .arg(device, joinGroupHint(device, access.group));
        if (access.canOpen && !access.group.isEmpty())
            return tr("Cannot open %1: another program is using it.").arg(device);
        return tr("Cannot open %1: permission denied, or another program is using it. To use "
                  "serial ports your user must be in the dialout group "
                  "(%2, then log in again).")
            .arg(device, joinGroupCommand(QStringLiteral("dialout")));
    }
    case QSerialPort::OpenError:
        return tr("Cannot open %1: it is already open.").arg(device);
    case QSerialPort::UnsupportedOperationError:
        return tr("Cannot open %1: the device refuses these line settings (%2).")
            .arg(device, systemText);
    default:
        return tr("Cannot open %1: %2.").arg(device, systemText);
    }
}
