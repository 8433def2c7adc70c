#include "poll/widgets/screenfont.h"

#include <QFontDatabase>

namespace {

constexpr QLatin1String preferredFamily("DejaVu Sans Mono");

} // namespace

QFont screenFont(int pixelSize)
{
    QFont font = QFontDatabase::hasFamily(preferredFamily)
                     ? QFont(preferredFamily)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(qMax(1, pixelSize));
    return font;
}
