#pragma once

#include <QByteArray>
#include <QString>

// hit_intel.txt in the given folder.
QString hitIntelPath(const QString &folder);
