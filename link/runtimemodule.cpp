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
    if (!module.load()) {
        if (error)
            *error = QStringLiteral("%1 could not be loaded: %2").arg(what, module.errorString());
        return nullptr;
    }
    // A module left from another build may lack the entry point; the
    // library's own error text then says nothing ("Unknown error").
    void *entry = reinterpret_cast<void *>(module.resolve(entryName));
    if (!entry && error)
        *error = QStringLiteral("%1 could not be loaded: %2 has no entry point %3")
                     .arg(what, path, QString::fromLatin1(entryName));
    return entry;
}
