#pragma once

#include <QFont>

// The fixed-pitch font of the screen's text boxes: DejaVu Sans Mono where it
// is installed, otherwise the system's fixed font, at the given pixel size.
QFont screenFont(int pixelSize);
