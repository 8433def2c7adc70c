#include "app/displayconnection.h"

#include <QFileInfo>
#include <QLibraryInfo>

DisplayChoices::DisplayChoices(bool gtkThemeInstalled)
{
    QByteArrayList names{"QT_XCB_NO_MITSHM"};
    if (!gtkThemeInstalled)
        names.append("QT_NO_GLIB");
    for (const QByteArray &name : std::as_const(names)) {
        if (qEnvironmentVariableIsSet(name.constData()))
            continue;
        qputenv(name.constData(), QByteArray("1"));
        m_made.append(name);
    }
}

void DisplayChoices::forget()
{
    for (const QByteArray &name : std::as_const(m_made))
        qunsetenv(name.constData());
    m_made.clear();
}

bool DisplayChoices::isGtkThemeInstalled()
{
    return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                             QStringLiteral("/platformthemes/libqgtk3.so"));
}
