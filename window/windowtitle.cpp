#include "window/windowtitle.h"

QString windowTitleFor(bool minimised, const QString &floatingTaskbarText)
{
    if (!minimised)
        return designCaption;
    return floatingTaskbarText.startsWith(u' ') ? floatingTaskbarText.mid(1) : floatingTaskbarText;
}
