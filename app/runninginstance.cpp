#include "app/runninginstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace {

const QByteArray showRequest = "show\n";
// A caller says no more than the request; anything longer is not ours.
constexpr qsizetype mostRequestBytes = 64;

bool toAddress(const QString &path, sockaddr_un &address)
{
    const QByteArray name = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), name.size());
    return true;
}

// Lets a blocking send or connect on the socket wait no longer than the
// time left; false once none is.
bool waitNoLongerThan(int fd, const QDeadlineTimer &deadline)
{
    const qint64 leftMs = deadline.remainingTime();
    if (leftMs <= 0)
        return false;
    timeval left{time_t(leftMs / 1000), suseconds_t(leftMs % 1000 * 1000)};
    return ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &left, sizeof left) == 0;
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

} // namespace

// A second start that has connected, until it has said what it wants.
struct RunningInstance::Caller
{
    FileDescriptor fd;
    QSocketNotifier notifier;
    QByteArray said;
    explicit Caller(int socket) : fd(socket), notifier(socket, QSocketNotifier::Read) {}
};

RunningInstance::RunningInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent), m_path(socketPath(dataFolder))
{}

RunningInstance::~RunningInstance()
{
    m_callers.clear();
    if (m_fd < 0)
        return;
    delete m_notifier;
    ::close(m_fd);
    // Only the socket this program made: a later program may have replaced it.
    struct stat file;
    if (::lstat(QFile::encodeName(m_path).constData(), &file) == 0 && file.st_ino == m_inode)
        ::unlink(QFile::encodeName(m_path).constData());
}

QString RunningInstance::serverName(const QString &dataFolder)
{
    const QFileInfo folder(dataFolder);
    const QString path = folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                                              : folder.canonicalFilePath();
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("tollvane-") + QString::fromLatin1(hash.toHex().left(16));
}

QString RunningInstance::socketPath(const QString &dataFolder)
{
    return QDir::tempPath() + u'/' + serverName(dataFolder);
}

bool RunningInstance::listen()
{
    if (m_fd >= 0)
        return true;
    // Made under a name of its own, closed to others, then put in place in
    // one step: no one else can reach it in between, and a socket left by a
    // program that ended without removing it is replaced.
    const QString building =
        m_path + QStringLiteral(".%1.new").arg(QCoreApplication::applicationPid());
    sockaddr_un address;
    if (!toAddress(building, address))
        return false;
    FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return false;
    const QByteArray buildingName = QFile::encodeName(building);
    const QByteArray finalName = QFile::encodeName(m_path);
    ::unlink(buildingName.constData());
    if (::bind(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return false;
    struct stat file;
    if (::chmod(buildingName.constData(), S_IRUSR | S_IWUSR) != 0 ||
        ::listen(fd.get(), SOMAXCONN) != 0 || ::lstat(buildingName.constData(), &file) != 0 ||
        ::rename(buildingName.constData(), finalName.constData()) != 0) {
        ::unlink(buildingName.constData());
        return false;
    }
    m_inode = file.st_ino;
    m_fd = fd.release();
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RunningInstance::takeCallers);
    return true;
}

void RunningInstance::takeCallers()
{
    for (;;) {
        const int socket = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // Out of descriptors or memory: the caller stays queued and
                // the notifier would fire again at once. Try again in a
                // second rather than spin.
                m_notifier->setEnabled(false);
                QTimer::singleShot(1000, this, [this] { m_notifier->setEnabled(true); });
            }
            return;
        }
        auto caller = std::make_unique<Caller>(socket);
        Caller *taken = caller.get();
        connect(&caller->notifier, &QSocketNotifier::activated, this,
                [this, taken] { readFrom(taken); });
        m_callers.push_back(std::move(caller));
    }
}

void RunningInstance::readFrom(Caller *caller)
{
    bool done = false;
    for (;;) {
        char bytes[mostRequestBytes];
        const ssize_t got = ::read(caller->fd.get(), bytes, sizeof bytes);
        if (got > 0) {
            caller->said.append(bytes, got);
            if (caller->said.contains(showRequest) || caller->said.size() > mostRequestBytes) {
                done = true;
                break;
            }
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        // The end, or an error but "nothing more yet".
        done = got == 0 || errno != EAGAIN;
        break;
    }
    if (!done)
        return;
    const bool show = caller->said.contains(showRequest);
    // Not from inside its own notifier's signal: it goes once that returns.
    caller->notifier.setEnabled(false);
    QMetaObject::invokeMethod(
        this,
        [this, caller] {
            std::erase_if(m_callers, [caller](const auto &kept) { return kept.get() == caller; });
        },
        Qt::QueuedConnection);
    if (show)
        Q_EMIT showRequested();
}

bool RunningInstance::askToShow(const QString &dataFolder, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    sockaddr_un address;
    if (!toAddress(socketPath(dataFolder), address))
        return false;
    FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return false;
    // Connecting waits only while the program's queue of callers is full.
    for (;;) {
        if (!waitNoLongerThan(fd.get(), deadline))
            return false;
        if (::connect(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) ==
                0 ||
            errno == EISCONN)
            break;
        if (errno != EINTR)
            return false;
    }
    qsizetype sent = 0;
    while (sent < showRequest.size()) {
        if (!waitNoLongerThan(fd.get(), deadline))
            return false;
        const ssize_t wrote = ::send(fd.get(), showRequest.constData() + sent,
                                     size_t(showRequest.size() - sent), MSG_NOSIGNAL);
        if (wrote > 0)
            sent += wrote;
        else if (!(wrote < 0 && errno == EINTR))
            return false;
    }
    return true;
}
