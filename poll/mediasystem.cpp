#include "poll/mediasystem.h"

#include <QCoreApplication>
#include <QLibrary>

QString mediaModulePath()
{
    // The same place relative to the program in the build tree as installed.
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/../" TOLLVANE_LIBDIR "/tollvane/libtollvane-media.so");
}

std::unique_ptr<MediaSystem> loadMediaSystem(const QString &path, QString *error)
{
    QLibrary module(path);
    // The module stays loaded for the rest of the run.
    using Entry = MediaSystem *(*)();
    const auto entry = reinterpret_cast<Entry>(module.resolve(mediaSystemEntry));
    if (!entry) {
        if (error)
            *error = QStringLiteral("The sound module could not be loaded: %1")
                         .arg(module.errorString());
        return nullptr;
    }
    return std::unique_ptr<MediaSystem>(entry());
}
