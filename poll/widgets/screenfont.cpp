#include "poll/widgets/screenfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

constexpr QLatin1String preferredFamily("DejaVu Sans Mono");

// Asking the font database walks every installed family; the answer does not
// change while the program runs, so it is asked once. The installed families
// are looked through as they are: asking whether the family is there would
// first have the font configuration substitute it, which costs more than
// the look-up itself.
QFont lookUpScreenFont()
{
    QFont font = QFontDatabase::families().contains(preferredFamily, Qt::CaseInsensitive)
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
