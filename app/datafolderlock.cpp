#include "app/datafolderlock.h"

#include <QDir>

DataFolderLock::DataFolderLock(const QString &dataFolder)
    : m_folder(dataFolder), m_lock(QDir(dataFolder).filePath(QStringLiteral("tollvane.lock")))
{
    // The running program never touches its lock again, so age says nothing:
    // only a holder that is gone makes a lock stale.
    m_lock.setStaleLockTime(0);
}

DataFolderLock::Outcome DataFolderLock::take()
{
    if (m_lock.tryLock(0))
        return Outcome::Taken;
    return m_lock.error() == QLockFile::LockFailedError ? Outcome::HeldElsewhere
                                                        : Outcome::NotPossible;
}

DataFolderLock::Holder DataFolderLock::holder() const
{
    Holder holder;
    m_lock.getLockInfo(&holder.pid, &holder.host, &holder.app);
    return holder;
}

QString lockHeldText(const QString &dataFolder, const DataFolderLock::Holder &holder)
{
    return QStringLiteral("Tollvane is already running on the data folder %1 (process %2 on %3, "
                          "%4). A second one would write the same settings and log files.")
        .arg(QDir::toNativeSeparators(dataFolder))
        .arg(holder.pid)
        .arg(holder.host.isEmpty() ? QStringLiteral("this computer") : holder.host,
             holder.app.isEmpty() ? QStringLiteral("unknown program") : holder.app);
}
