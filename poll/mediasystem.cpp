#include "poll/mediasystem.h"

#include "link/runtimemodule.h"

QString mediaModulePath()
{
    return runtimeModulePath(QStringLiteral("libtollvane-media.so"));
}

std::unique_ptr<MediaSystem> loadMediaSystem(const QString &path, QString *error)
{
    return loadRuntimeModule<MediaSystem>(path, mediaSystemEntry,
                                          QStringLiteral("The sound module"), error);
}
