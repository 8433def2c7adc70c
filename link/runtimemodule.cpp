#include "link/runtimemodule.h"

#include <QCoreApplication>
#include <QLibrary>

QString runtimeModulePath(const QString &fileName)
{
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/../" TOLLVANE_LIBDIR "/tollvane/") + fileName;
}

void *runtimeModuleEntry(const QString &path, const char *entryName, const QString &what,
                         QString *error)
{
    QLibrary module(path);
    void *entry = reinterpret_cast<void *>(module.resolve(entryName));
    if (!entry && error)
        *error = QStringLiteral("%1 could not be loaded: %2").arg(what, module.errorString());
    return entry;
}
