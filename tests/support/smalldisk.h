#pragma once

#include <QString>
#include <QTemporaryDir>

// A tiny filesystem of its own (a tmpfs) that a test can fill to the last
// byte and free again. Mounting needs the right to mount; where that is
// missing, isMounted() is false and the test skips.
class SmallDisk
{
public:
    explicit SmallDisk(int kibibytes = 64);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Fills every free byte with a filler file; free() removes it.
    void fill();
    void free();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
