#include "poll/widgets/screenlabel.h"

#include <QPainter>
#include <QStyle>

ScreenLabel::ScreenLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void ScreenLabel::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    const QColor color = palette().color(foregroundRole());
    if (m_picture.isNull() || m_picture.deviceIndependentSize() != QSizeF(size()) ||
        m_picture.devicePixelRatio() != ratio || m_pictureText != text() ||
        m_pictureFont != font() || m_pictureColor != color || m_pictureAlignment != alignment()) {
        m_picture = QPixmap((QSizeF(size()) * ratio).toSize());
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(Qt::transparent);
        QPainter painter(&m_picture);
        painter.setFont(font());
        painter.setPen(color);
        painter.drawText(contentsRect(), int(alignment()), text());
        m_pictureText = text();
        m_pictureFont = font();
        m_pictureColor = color;
        m_pictureAlignment = alignment();
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}
