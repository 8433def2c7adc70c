#include "link/widgets/keyprint.h"

#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace {

// The bold key font at a pixel size: the font as loaded through the font
// database, scaled to the size. A print keeps its font, and the font its
// size, for as long as the key shows it.
QRawFont keyFontAt(const QFont &keyFont, int pixelSize)
{
    QFont bold = keyFont;
    bold.setBold(true);
    QRawFont font = QRawFont::fromFont(bold);
    font.setPixelSize(pixelSize);
    return font;
}

KeyPrint layOut(const QFont &keyFont, const QString &text, int pixelSize, qreal letterSpacing)
{
    KeyPrint print;
    const QRawFont font = keyFontAt(keyFont, pixelSize);
    const QList<quint32> indexes = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
    QList<QPointF> positions;
    positions.reserve(advances.size());
    qreal x = 0;
    for (const QPointF &advance : advances) {
        positions.append(QPointF(x, 0));
        x += advance.x() + letterSpacing;
    }
    print.glyphs.setRawFont(font);
    print.glyphs.setGlyphIndexes(indexes);
    print.glyphs.setPositions(positions);
    print.width = x;
    print.ascent = font.ascent();
    print.descent = font.descent();
    print.pixelSize = pixelSize;
    return print;
}

} // namespace

KeyPrint layOutKeyPrint(const QFont &keyFont, const QString &text, qreal pixelHeight,
                        qreal maxWidth, qreal letterSpacing)
{
    int size = std::max(qRound(pixelHeight), 1);
    KeyPrint print = layOut(keyFont, text, size, letterSpacing);
    if (size <= 4 || maxWidth <= 0 || print.width <= maxWidth)
        return print;
    // The width grows with the size: the first guess scales the size by how
    // far the text overflows, and only the last steps are walked.
    size = std::max(4, int(std::floor(size * maxWidth / print.width)));
    print = layOut(keyFont, text, size, letterSpacing);
    while (size > 4 && print.width > maxWidth)
        print = layOut(keyFont, text, --size, letterSpacing);
    return print;
}

void drawKeyPrint(QPainter &painter, const QRectF &box, const KeyPrint &print,
                  Qt::Alignment alignment)
{
    const qreal left =
        alignment & Qt::AlignLeft ? box.left() : box.left() + (box.width() - print.width) / 2;
    const qreal top = box.top() + (box.height() - (print.ascent + print.descent)) / 2;
    painter.drawGlyphRun(QPointF(left, top + print.ascent), print.glyphs);
}
