#pragma once

#include <QLockFile>
#include <QString>

// One Tollvane per data folder: the lock file "tollvane.lock" in it. A lock
// left by a program that is no longer running is taken over; a lock held by a
// running one is not, however old it is.
class DataFolderLock
{
public:
    explicit DataFolderLock(const QString &dataFolder);

    enum class Outcome {
        Taken,
        HeldElsewhere, // another running program holds the folder
        NotPossible,   // no lock file could be made (full disk, no rights)
    };
    Outcome take();

    // Who holds the folder, after HeldElsewhere.
    struct Holder
    {
        qint64 pid = 0;
        QString host;
        QString app;
    };
    Holder holder() const;

private:
    QString m_folder;
    QLockFile m_lock;
};

// What a second start says: the folder, and which process holds it.
QString lockHeldText(const QString &dataFolder, const DataFolderLock::Holder &holder);
