#include "poll/widgets/signalmeter.h"

#include <QPainter>

namespace {

constexpr QSize designSize(15, 11);
const QColor inkColor(0x1d, 0x1f, 0x18);

} // namespace

QPixmap signalMeterPixmap(int level, QSize size, qreal devicePixelRatio)
{
    level = qBound(0, level, SignalMeter::maximumLevel);
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    if (size.isEmpty())
        return pixmap;

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // Five bars side by side, each a step taller than the one before,
    // standing on the bottom edge.
    const int bars = SignalMeter::maximumLevel;
    const qreal slot = qreal(size.width()) / bars;
    const qreal gap = slot * 0.25;
    const qreal barWidth = slot - gap;
    const qreal pen = qMax<qreal>(0.5, qMin(barWidth, qreal(size.height())) * 0.18);
    for (int bar = 0; bar < bars; ++bar) {
        const qreal height = size.height() * (bar + 1) / bars;
        const QRectF box(bar * slot + gap / 2, size.height() - height, barWidth, height);
        const QRectF inside = box.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
        painter.setPen(QPen(inkColor, pen));
        painter.setBrush(bar < level ? QBrush(inkColor) : QBrush(Qt::NoBrush));
        painter.drawRect(inside);
    }
    return pixmap;
}

SignalMeter::SignalMeter(QWidget *parent) : QWidget(parent)
{
    resize(designSize);
}

void SignalMeter::setLevel(int level)
{
    level = qBound(0, level, maximumLevel);
    if (level == m_level)
        return;
    m_level = level;
    update();
}

QSize SignalMeter::sizeHint() const
{
    return designSize;
}

void SignalMeter::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_pictures.isEmpty() || m_pictures.first().deviceIndependentSize() != QSizeF(size()) ||
        m_pictures.first().devicePixelRatio() != ratio) {
        m_pictures.clear();
        for (int level = 0; level <= maximumLevel; ++level)
            m_pictures.append(signalMeterPixmap(level, size(), ratio));
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pictures.at(m_level));
}
