#include "poll/widgets/lcdframe.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// Proportions of the bezel, relative to the shorter side of the widget.
constexpr qreal bezelShare = 0.08;
constexpr qreal outerRadiusShare = 0.10;
constexpr qreal innerRadiusShare = 0.04;

} // namespace

LcdFrame::LcdFrame(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

QSize LcdFrame::sizeHint() const
{
    return {300, 140};
}

QColor LcdFrame::bezelColor()
{
    return QColor(0x26, 0x28, 0x2b);
}

QColor LcdFrame::glassColor()
{
    return QColor(0xc4, 0xbf, 0x8e);
}

QRectF LcdFrame::glassRect() const
{
    const qreal side = qMin(width(), height());
    const qreal bezel = qMax<qreal>(2.0, side * bezelShare);
    return QRectF(rect()).adjusted(bezel, bezel, -bezel, -bezel);
}

void LcdFrame::paintEvent(QPaintEvent *event)
{
    // The screen's text changes ten times a second and each change repaints
    // the frame below it: draw the frame once per size and scale, then copy.
    const qreal ratio = devicePixelRatioF();
    // What shows round the rounded corners: the window's own colour, which
    // this frame inherits.
    const QColor behind = palette().color(QPalette::Window);
    if (m_cache.isNull() || m_cache.deviceIndependentSize() != QSizeF(size()) ||
        m_cache.devicePixelRatio() != ratio || m_cacheBehind != behind) {
        m_cache = QPixmap((QSizeF(size()) * ratio).toSize());
        m_cache.setDevicePixelRatio(ratio);
        m_cache.fill(behind);
        m_cacheBehind = behind;
        QPainter cachePainter(&m_cache);
        paintFrame(cachePainter);
    }
    QPainter painter(this);
    painter.drawPixmap(
        event->rect(), m_cache,
        QRectF(QPointF(event->rect().topLeft()) * ratio, QSizeF(event->rect().size()) * ratio));
}

void LcdFrame::paintFrame(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal side = qMin(width(), height());

    QLinearGradient bezel(outer.topLeft(), outer.bottomLeft());
    bezel.setColorAt(0.0, bezelColor().lighter(150));
    bezel.setColorAt(0.5, bezelColor());
    bezel.setColorAt(1.0, bezelColor().darker(140));
    painter.setPen(QPen(bezelColor().darker(200), 1.0));
    painter.setBrush(bezel);
    const qreal outerRadius = side * outerRadiusShare;
    painter.drawRoundedRect(outer, outerRadius, outerRadius);

    const QRectF glass = glassRect();
    QLinearGradient light(glass.topLeft(), glass.bottomRight());
    light.setColorAt(0.0, glassColor().lighter(112));
    light.setColorAt(0.6, glassColor());
    light.setColorAt(1.0, glassColor().darker(112));
    painter.setPen(QPen(QColor(0x10, 0x10, 0x10, 160), 1.0));
    painter.setBrush(light);
    const qreal innerRadius = side * innerRadiusShare;
    painter.drawRoundedRect(glass, innerRadius, innerRadius);

    // A faint inner shadow along the top and left edges of the glass.
    QPainterPath shade;
    shade.addRoundedRect(glass, innerRadius, innerRadius);
    painter.setClipPath(shade);
    painter.setPen(QPen(QColor(0, 0, 0, 50), qMax<qreal>(1.0, side * 0.015)));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(glass.topLeft(), glass.topRight());
    painter.drawLine(glass.topLeft(), glass.bottomLeft());
}
