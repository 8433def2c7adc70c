#include "app/displayconnection.h"

#include <QFileInfo>
#include <QLibraryInfo>

DisplayChoices::DisplayChoices(bool gtkThemeInstalled)
{
    if (gtkThemeInstalled || qEnvironmentVariableIsSet("QT_NO_GLIB"))
        return;
    qputenv("QT_NO_GLIB", QByteArray("1"));
    m_made.append("QT_NO_GLIB");
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
