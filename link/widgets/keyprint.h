#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QRectF>
#include <QString>

class QPainter;

// A key's print (or the logo's word) laid out once: the glyphs of the key font at the largest
// whole pixel size, up to the given height, at which the text fits the
// width (never below 4 px).
//
// The keypad's prints come in half a dozen sizes. Every size is made from
// one bold font by scaling its face, not by asking the font system for a
// new font, which costs about as much as laying out the whole keypad.
struct KeyPrint
{
    QGlyphRun glyphs; // positions from the start of the baseline
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    int pixelSize = 0;
};

// The bold key font at each pixel size asked for, kept: prints of one size
// laid out with the same KeyFonts share one font, so each letter is measured
// and drawn once for all of them, not once per key.
class KeyFonts
{
public:
    QRawFont at(const QFont &keyFont, int pixelSize);

private:
    QFont m_keyFont;
    QRawFont m_bold;
    QHash<int, QRawFont> m_sizes;
};

// letterSpacing adds that many pixels after each letter.
KeyPrint layOutKeyPrint(KeyFonts &fonts, const QFont &keyFont, const QString &text,
                        qreal pixelHeight, qreal maxWidth, qreal letterSpacing = 0);
KeyPrint layOutKeyPrint(const QFont &keyFont, const QString &text, qreal pixelHeight,
                        qreal maxWidth, qreal letterSpacing = 0);

// Draws the print in the box as QPainter::drawText places one line there:
// centred, or at the left and centred from top to bottom.
void drawKeyPrint(QPainter &painter, const QRectF &box, const KeyPrint &print,
                  Qt::Alignment alignment = Qt::AlignCenter);
