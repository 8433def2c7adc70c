#include "link/serialaccess.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

bool inGroup(gid_t gid)
{
    if (getegid() == gid || getgid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(count);
    const int got = getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
        if (groups[i] == gid)
            return true;
    }
    return false;
}

QString groupName(gid_t gid)
{
    if (const group *entry = getgrgid(gid))
        return QString::fromLocal8Bit(entry->gr_name);
    return QString::number(gid);
}

} // namespace

SerialAccess serialAccessOf(const QString &device)
{
    SerialAccess access;
    const QByteArray path = QFile::encodeName(device);
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return access;
    access.group = groupName(info.st_gid);
    access.userInGroup = inGroup(info.st_gid);
    // The effective ids decide whether open() succeeds, so ask with those.
    access.canOpen = ::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0;
    return access;
}

QString joinGroupCommand(const QString &group)
{
    return QStringLiteral("sudo usermod -aG %1 $USER").arg(group);
}

QString joinGroupHint(const QString &device, const QString &group)
{
    return QCoreApplication::translate("SerialAccess",
                                       "Your user may not open %1: it belongs to the %2 group. "
                                       "Join it with \"%3\", then log out and in again.")
        .arg(device, group, joinGroupCommand(group));
}
