#include "poll/widgets/screenlabel.h"

#include <QPainter>

namespace {

// Enough for the names of a long scan list; past it the texts are laid out
// afresh.
constexpr qsizetype keptLayouts = 128;

// Where a block of the given size sits in the box for the alignment, as
// QPainter::drawText places it.
QPointF placed(const QRectF &box, const QSizeF &size, Qt::Alignment alignment)
{
    qreal x = box.left();
    if (alignment & Qt::AlignRight)
        x = box.right() - size.width();
    else if (alignment & Qt::AlignHCenter)
        x = box.left() + (box.width() - size.width()) / 2;
    qreal y = box.top() + (box.height() - size.height()) / 2;
    if (alignment & Qt::AlignTop)
        y = box.top();
    else if (alignment & Qt::AlignBottom)
        y = box.bottom() - size.height();
    return {x, y};
}

} // namespace

ScreenLabel::ScreenLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

const QStaticText &ScreenLabel::laidOut(const QString &text)
{
    if (m_layoutFont != font() || m_layouts.size() >= keptLayouts) {
        m_layouts.clear();
        m_layoutFont = font();
    }
    auto it = m_layouts.find(text);
    if (it == m_layouts.end()) {
        // A laid-out text breaks its lines only at line separators.
        QString lines = text;
        lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
        QStaticText layout(lines);
        layout.setTextFormat(Qt::PlainText);
        layout.setPerformanceHint(QStaticText::AggressiveCaching);
        layout.prepare(QTransform(), font());
        it = m_layouts.insert(text, layout);
    }
    return *it;
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
        painter.setClipRect(contentsRect());
        const QStaticText &layout = laidOut(text());
        painter.drawStaticText(placed(contentsRect(), layout.size(), alignment()), layout);
        m_pictureText = text();
        m_pictureFont = font();
        m_pictureColor = color;
        m_pictureAlignment = alignment();
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}
