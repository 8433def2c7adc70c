#include "web/webremote.h"

#include "link/runtimemodule.h"

QString webRemoteModulePath()
{
    return runtimeModulePath(QStringLiteral("libtollvane-web.so"));
}

std::unique_ptr<WebRemote> loadWebRemote(const QString &path, QString *error)
{
    return loadRuntimeModule<WebRemote>(path, webRemoteEntry, QStringLiteral("The web remote"),
                                        error);
}
