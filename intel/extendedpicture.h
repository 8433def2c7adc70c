#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The first of the paths that holds a picture Tollvane can read (GIF, PNG or
// JPEG, told by its contents, not its extension); a null image when none.
QImage readFirstPicture(const QStringList &paths);

// The stand-by picture drawn by Tollvane itself, for when the folder has
// no "extended_not_avilable.gif".
QImage builtInStandByPicture();
