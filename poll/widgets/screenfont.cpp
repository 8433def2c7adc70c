#include "poll/widgets/screenfont.h"

#include <QFontDatabase>

namespace {

constexpr QLatin1String preferredFamily("DejaVu Sans Mono");

// Asking the font database walks every installed family; the answer does not
// change while the program runs, so it is asked once.
QFont lookUpScreenFont()
{
    QFont font = QFontDatabase::hasFamily(preferredFamily)
                     ? QFont(preferredFamily)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

} // namespace

QFont screenFont(int pixelSize)
{
    static const QFont base = lookUpScreenFont();
    QFont font = base;
    font.setPixelSize(qMax(1, pixelSize));
    return font;
}
