#include "app/layoutstepbutton.h"

#include <QPainter>

namespace {

constexpr int captionPixels = 9;

} // namespace

LayoutStepButton::LayoutStepButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{}

void LayoutStepButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The plate, then its rim: 1 px, its corners rounded 2 px on the outside.
    p.setPen(Qt::NoPen);
    p.setBrush(isDown() ? QColor(0xa9, 0xad, 0xb3) : QColor(0xd8, 0xda, 0xdd));
    p.drawRoundedRect(QRectF(rect()), 2, 2);
    p.setPen(QPen(QColor(0x5a, 0x5f, 0x66), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);

    if (m_captionText != text() || m_captionFont != font()) {
        m_caption = layOutKeyPrint(m_fonts, font(), text(), captionPixels, 0);
        m_captionText = text();
        m_captionFont = font();
    }
    p.setPen(QColor(0x20, 0x23, 0x26));
    drawKeyPrint(p, QRectF(rect()).adjusted(1, 1, -1, -1), m_caption);
}
