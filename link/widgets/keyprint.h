#pragma once

#include <QFont>
#include <QGlyphRun>
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

// letterSpacing adds that many pixels after each letter.
KeyPrint layOutKeyPrint(const QFont &keyFont, const QString &text, qreal pixelHeight,
                        qreal maxWidth, qreal letterSpacing = 0);

// Draws the print in the box as QPainter::drawText places one line there:
// centred, or at the left and centred from top to bottom.
void drawKeyPrint(QPainter &painter, const QRectF &box, const KeyPrint &print,
                  Qt::Alignment alignment = Qt::AlignCenter);
