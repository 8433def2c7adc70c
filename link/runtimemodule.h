#pragma once

#include <QString>

#include <memory>

// The program's run-time modules (the sound system, the web remote): shared
// libraries loaded the first time they are needed, so a start-up never
// waits for their libraries. Each has an entry point, a function taking
// nothing and returning a new object of the module's interface.

// Where a module of that file name sits: beside the program's own folder,
// ../<libdir>/tollvane/, the same in the build tree as installed.
QString runtimeModulePath(const QString &fileName);

// The module's entry point; null when it cannot be loaded, and *error then
// says "<what> could not be loaded: <why>". The module stays loaded for the
// rest of the run.
void *runtimeModuleEntry(const QString &path, const char *entryName, const QString &what,
                         QString *error);

template <typename Interface>
std::unique_ptr<Interface> loadRuntimeModule(const QString &path, const char *entryName,
                                             const QString &what, QString *error)
{
    using Entry = Interface *(*)();
    const auto entry = reinterpret_cast<Entry>(runtimeModuleEntry(path, entryName, what, error));
    return entry ? std::unique_ptr<Interface>(entry()) : nullptr;
}
