#include "web/webremote.h"

#include <QCoreApplication>
#include <QLibrary>

QString webRemoteModulePath()
{
    // The same place relative to the program in the build tree as installed.
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/../" TOLLVANE_LIBDIR "/tollvane/libtollvane-web.so");
}

std::unique_ptr<WebRemote> loadWebRemote(const QString &path, QString *error)
{
    QLibrary module(path);
    // The module stays loaded for the rest of the run.
    using Entry = WebRemote *(*)();
    const auto entry = reinterpret_cast<Entry>(module.resolve(webRemoteEntry));
    if (!entry) {
        if (error)
            *error =
                QStringLiteral("The web remote could not be loaded: %1").arg(module.errorString());
        return nullptr;
    }
    return std::unique_ptr<WebRemote>(entry());
}
