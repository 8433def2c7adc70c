#include "link/radioexchange.h"

#include "link/replyline.h"

RadioExchange::RadioExchange(RadioPort &port, QObject *parent) : QObject(parent), m_port(port)
{
    for (QTimer *timer : {&m_silence, &m_longest}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this] { finish({}); });
    }
    m_silence.setInterval(silenceMs);
    m_longest.setInterval(longestMs);
    connect(&m_port, &RadioPort::bytesArrived, this, &RadioExchange::onBytesArrived);
}

void RadioExchange::ask(const QByteArray &command)
{
    cancel();
    m_port.drainRead();
    m_received.clear();
    m_name = commandName(command).toByteArray();
    m_busy = true;
    m_silence.start();
    m_longest.start();
    m_port.SendCommand(command);
}

void RadioExchange::cancel()
{
    m_busy = false;
    m_silence.stop();
    m_longest.stop();
}

void RadioExchange::onBytesArrived()
{
    // Between exchanges the bytes belong to the poll.
    if (!m_busy)
        return;
    const QByteArray bytes = m_port.drainRead();
    if (bytes.isEmpty())
        return;
    m_received += bytes;
    if (std::optional<QByteArray> reply = takeReplyLine(m_received, m_name)) {
        finish(*reply);
        return;
    }
    m_silence.start();
}

void RadioExchange::finish(const QByteArray &reply)
{
    if (!m_busy)
        return;
    cancel();
    Q_EMIT answered(reply);
}
