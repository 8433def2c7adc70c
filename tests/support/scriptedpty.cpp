#include "support/scriptedpty.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

ScriptedPty::ScriptedPty()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return;
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        close();
        return;
    }
    m_slavePath = QString::fromLocal8Bit(::ptsname(m_master));
    // Hold the slave open so the line stays up while the program closes and
    // reopens it, and make it raw: no echo, no line editing, no CR mapping.
    m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

ScriptedPty::~ScriptedPty()
{
    close();
}

QByteArray ScriptedPty::takeWritten()
{
    QByteArray out;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, n);
    }
    return out;
}

void ScriptedPty::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        if (n > 0)
            done += n;
    }
}

qsizetype ScriptedPty::writeSome(const QByteArray &bytes)
{
    const ssize_t n = ::write(m_master, bytes.constData(), bytes.size());
    return n > 0 ? n : 0;
}

void ScriptedPty::close()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}
