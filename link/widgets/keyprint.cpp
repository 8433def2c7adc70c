#include "link/widgets/keyprint.h"

#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace {

KeyPrint layOut(KeyFonts &fonts, const QFont &keyFont, const QString &text, int pixelSize,
                qreal letterSpacing)
{
    KeyPrint print;
    const QRawFont font = fonts.at(keyFont, pixelSize);
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

// The bold key font as loaded through the font database, scaled to the size.
// A print keeps its font, and the font its size, for as long as the key
// shows it.
QRawFont KeyFonts::at(const QFont &keyFont, int pixelSize)
{
    if (!m_bold.isValid() || keyFont != m_keyFont) {
        m_keyFont = keyFont;
        QFont bold = keyFont;
        bold.setBold(true);
        m_bold = QRawFont::fromFont(bold);
        m_sizes.clear();
    }
    auto found = m_sizes.constFind(pixelSize);
    if (found != m_sizes.cend())
        return *found;
    QRawFont font = m_bold;
    font.setPixelSize(pixelSize);
    m_sizes.insert(pixelSize, font);
    return font;
}

KeyPrint layOutKeyPrint(KeyFonts &fonts, const QFont &keyFont, const QString &text,
                        qreal pixelHeight, qreal maxWidth, qreal letterSpacing)
{
    int size = std::max(qRound(pixelHeight), 1);
    KeyPrint print = layOut(fonts, keyFont, text, size, letterSpacing);
    if (size <= 4 || maxWidth <= 0 || print.width <= maxWidth)
        return print;
    // The width grows with the size: the first guess scales the size by how
    // far the text overflows, and only the last steps are walked.
    size = std::max(4, int(std::floor(size * maxWidth / print.width)));
    print = layOut(fonts, keyFont, text, size, letterSpacing);
    while (size > 4 && print.width > maxWidth)
        print = layOut(fonts, keyFont, text, --size, letterSpacing);
    return print;
}

KeyPrint layOutKeyPrint(const QFont &keyFont, const QString &text, qreal pixelHeight,
                        qreal maxWidth, qreal letterSpacing)
{
    KeyFonts fonts;
    return layOutKeyPrint(fonts, keyFont, text, pixelHeight, maxWidth, letterSpacing);
}

void drawKeyPrint(QPainter &painter, const QRectF &box, const KeyPrint &print,
                  Qt::Alignment alignment)
{
    const qreal left =
        alignment & Qt::AlignLeft ? box.left() : box.left() + (box.width() - print.width) / 2;
    const qreal top = box.top() + (box.height() - (print.ascent + print.descent)) / 2;
    painter.drawGlyphRun(QPointF(left, top + print.ascent), print.glyphs);
}
