#include "sim/ptyradio.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr qint64 splitGapUs = 3000;

bool makeNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyRadio::PtyRadio(QObject *parent) : QObject(parent)
{
    m_clock.start();
    m_sendTimer.setSingleShot(true);
    m_sendTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_sendTimer, &QTimer::timeout, this, &PtyRadio::sendDue);
}

PtyRadio::~PtyRadio()
{
    unplug();
}

bool PtyRadio::start()
{
    if (isRunning())
        return true;
    m_errorText.clear();
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        m_errorText = systemError("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0 || !makeNonBlocking(master)) {
        m_errorText = systemError("pseudo-terminal set-up");
        ::close(master);
        return false;
    }
    // Our own handle on the slave keeps the line up while the program under
    // test closes and reopens it; it is never read.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave < 0) {
        m_errorText = systemError(name);
        ::close(master);
        return false;
    }
    termios settings = {};
    if (::tcgetattr(slave, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, B115200);
        ::tcsetattr(slave, TCSANOW, &settings);
    }

    m_master = master;
    m_slave = slave;
    m_slavePath = QString::fromLocal8Bit(name);
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyRadio::readCommands);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyRadio::writeOutgoing);
    return true;
}

void PtyRadio::unplug()
{
    // unplug() may run inside a handler of commandReceived, that is inside
    // the read notifier's own signal: the notifiers go later.
    for (QSocketNotifier *notifier : {m_readNotifier, m_writeNotifier}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    m_readNotifier = nullptr;
    m_writeNotifier = nullptr;
    m_sendTimer.stop();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
    m_scheduled.clear();
    m_outgoing.clear();
    m_partial.clear();
    m_busyUntilUs = 0;
}

void PtyRadio::flood(int bytes)
{
    if (isRunning() && bytes > 0)
        transmit(junk(bytes), false);
}

void PtyRadio::clearReceived()
{
    m_received.clear();
    m_rawReceived.clear();
}

void PtyRadio::readCommands()
{
    char buffer[4096];
    while (m_master >= 0) {
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count <= 0) {
            if (count < 0 && errno == EINTR)
                continue;
            if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                m_readNotifier->setEnabled(false);
            return;
        }
        if (m_logging)
            m_rawReceived.append(buffer, count);
        for (ssize_t i = 0; i < count && m_master >= 0; ++i) {
            const char byte = buffer[i];
            if (byte == '\n')
                continue;
            if (byte != '\r') {
                m_partial.append(byte);
                continue;
            }
            const QByteArray line = m_partial;
            m_partial.clear();
            if (m_logging)
                m_received.append(
                    {line, m_clock.elapsed(), qMax<qint64>(0, m_busyUntilUs - nowUs())});
            answer(line);
            Q_EMIT commandReceived(line);
        }
    }
}

void PtyRadio::answer(const QByteArray &line)
{
    switch (m_fault) {
    case Fault::Silent:
        return;
    case Fault::Garbage:
        transmit(junk(4 + m_junkSource.bounded(60)), false);
        return;
    case Fault::None:
    case Fault::SplitReplies:
        transmit(m_radio.reply(line) + '\r', m_fault == Fault::SplitReplies);
        return;
    }
}

void PtyRadio::transmit(const QByteArray &bytes, bool split)
{
    const qint64 startUs = qMax(nowUs() + m_replyDelayUs, m_busyUntilUs);
    const qint64 endUs = startUs + wireUs(bytes.size());
    if (split && bytes.size() > 1) {
        const qsizetype half = bytes.size() / 2;
        const qint64 firstUs = startUs + wireUs(half);
        m_scheduled.append({bytes.left(half), firstUs});
        m_busyUntilUs = qMax(endUs, firstUs + splitGapUs);
        m_scheduled.append({bytes.mid(half), m_busyUntilUs});
    } else {
        m_busyUntilUs = endUs;
        m_scheduled.append({bytes, endUs});
    }
    if (!m_sendTimer.isActive())
        sendDue();
}

void PtyRadio::sendDue()
{
    const qint64 now = nowUs();
    while (!m_scheduled.isEmpty() && m_scheduled.first().dueUs <= now)
        m_outgoing.append(m_scheduled.takeFirst().bytes);
    writeOutgoing();
    if (!m_scheduled.isEmpty()) {
        const qint64 waitUs = m_scheduled.first().dueUs - now;
        m_sendTimer.start(int((waitUs + 999) / 1000));
    }
}

void PtyRadio::writeOutgoing()
{
    while (m_master >= 0 && !m_outgoing.isEmpty()) {
        const ssize_t count = ::write(m_master, m_outgoing.constData(), size_t(m_outgoing.size()));
        if (count > 0) {
            m_bytesSent += count;
            if (m_logging)
                m_rawSent.append(m_outgoing.left(count));
            m_outgoing.remove(0, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            m_writeNotifier->setEnabled(true);
            return;
        }
        m_outgoing.clear();
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
}

QByteArray PtyRadio::junk(int bytes)
{
    QByteArray noise;
    noise.reserve(bytes);
    while (noise.size() < bytes) {
        const char byte = char(m_junkSource.bounded(256));
        if (byte != '\r' && byte != ',')
            noise.append(byte);
    }
    return noise;
}
