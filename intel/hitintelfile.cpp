#include "intel/hitintelfile.h"

QString hitIntelPath(const QString &folder)
{
    return folder + QStringLiteral("/hit_intel.txt");
}
