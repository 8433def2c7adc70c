#include "support/soundserver.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QtEndian>

#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

SoundServer::SoundServer(Sharing sharing)
{
    QByteArray server;
    if (sharing == Sharing::Shared) {
        server = qgetenv("TOLLVANE_TEST_PULSE_SERVER");
        m_fifo = qEnvironmentVariable("TOLLVANE_TEST_MIC_FIFO");
        m_inputId = qgetenv("TOLLVANE_TEST_MIC_ID");
    }
    if (server.isEmpty() || m_fifo.isEmpty()) {
        m_fifo.clear();
        QProcess script;
        script.start(QStringLiteral(TOLLVANE_SOUND_SERVER_SCRIPT),
                     {QStringLiteral("start"), m_folder.path()});
        if (!script.waitForFinished(30000) || script.exitCode() != 0) {
            m_error = QStringLiteral("scripts/sound-server did not start a server (is "
                                     "pulseaudio installed? scripts/setup-deps installs it): ") +
                      QString::fromLocal8Bit(script.readAllStandardError());
            return;
        }
        const QList<QByteArray> lines = script.readAllStandardOutput().split('\n');
        for (const QByteArray &line : lines) {
            const QByteArray assignment = line.mid(line.indexOf(' ') + 1);
            const QByteArray name = assignment.left(assignment.indexOf('='));
            const QByteArray value = assignment.mid(assignment.indexOf('=') + 1);
            if (name == "TOLLVANE_TEST_PULSE_SERVER")
                server = value;
            else if (name == "TOLLVANE_TEST_MIC_FIFO")
                m_fifo = QString::fromLocal8Bit(value);
            else if (name == "TOLLVANE_TEST_MIC_ID")
                m_inputId = value;
            else if (name == "TOLLVANE_TEST_SOUND_SERVER_PID")
                m_ownPid = value.toLongLong();
        }
    }
    qputenv("PULSE_SERVER", server);
}

SoundServer::~SoundServer()
{
    if (m_ownPid <= 0)
        return;
    ::kill(pid_t(m_ownPid), SIGTERM);
    // Its folder goes once it has let go of it.
    QDeadlineTimer deadline(5000);
    while (::kill(pid_t(m_ownPid), 0) == 0 && !deadline.hasExpired())
        QThread::msleep(20);
}

bool SoundServer::feed(const QByteArray &pcm)
{
    const int fd = ::open(QFile::encodeName(m_fifo).constData(), O_WRONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    qsizetype done = 0;
    while (done < pcm.size()) {
        const ssize_t n = ::write(fd, pcm.constData() + done, size_t(pcm.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    ::close(fd);
    return done == pcm.size();
}

QByteArray sineTone(double hertz, int milliseconds, int sampleRate, double amplitude)
{
    const int count = sampleRate * milliseconds / 1000;
    QByteArray pcm(count * 2, Qt::Uninitialized);
    for (int i = 0; i < count; ++i) {
        const double value = amplitude * 32767.0 * std::sin(2 * M_PI * hertz * i / sampleRate);
        qToLittleEndian(qint16(std::lround(value)), pcm.data() + 2 * i);
    }
    return pcm;
}

double tonePower(const QByteArray &pcm, double hertz, int sampleRate)
{
    const double coefficient = 2 * std::cos(2 * M_PI * hertz / sampleRate);
    double previous = 0;
    double beforePrevious = 0;
    const qsizetype count = pcm.size() / 2;
    for (qsizetype i = 0; i < count; ++i) {
        const double sample = qFromLittleEndian<qint16>(pcm.constData() + 2 * i) / 32768.0;
        const double next = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = next;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return count ? power / double(count) : 0;
}
