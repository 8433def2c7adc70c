#include "intel/hitintelfile.h"

#include "link/savefile.h"

QString hitIntelPath(const QString &folder)
{
    return folder + QStringLiteral("/hit_intel.txt");
}

bool writeHitIntelFile(const QString &path, const QByteArray &text, QString *error)
{
    const QString why = saveWholeFile(path, text);
    if (why.isEmpty())
        return true;
    if (error)
        *error = why;
    return false;
}
