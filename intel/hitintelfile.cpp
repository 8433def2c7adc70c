#include "intel/hitintelfile.h"

#include <QSaveFile>

QString hitIntelPath(const QString &folder)
{
    return folder + QStringLiteral("/hit_intel.txt");
}

bool writeHitIntelFile(const QString &path, const QByteArray &text, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}
