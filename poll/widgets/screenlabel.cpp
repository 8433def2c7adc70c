#include "poll/widgets/screenlabel.h"

#include "poll/changedlines.h"

#include <QFontMetricsF>
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

void ScreenLabel::showText(const QString &text)
{
    const QString before = this->text();
    if (before == text)
        return;
    const std::optional<LineSpan> lines = changedLines(before, text);
    // Lines sit one font height apart from the top; with another vertical
    // alignment a new line count moves them all.
    if (!lines || !isVisible() || !updatesEnabled() || !(alignment() & Qt::AlignTop)) {
        setText(text);
        return;
    }
    // QLabel repaints all of itself on a new text; keep that repaint off
    // and ask for the changed lines' strip alone, a little taller for ink
    // that reaches past its line.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(text);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    if (m_lineHeightFont != font()) {
        m_lineHeightFont = font();
        m_lineHeight = QFontMetricsF(m_lineHeightFont).height();
    }
    const qreal height = m_lineHeight;
    const QRectF box = contentsRect();
    const QRectF strip(box.left(), box.top() + lines->first * height - 2, box.width(),
                       (lines->last - lines->first + 1) * height + 4);
    update(strip.toAlignedRect() & rect());
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
    // Drawn straight onto the window, clipped to what needs repainting:
    // glyphs outside the changed lines cost next to nothing.
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.setClipRect(contentsRect(), Qt::IntersectClip);
    const QStaticText &layout = laidOut(text());
    painter.drawStaticText(placed(contentsRect(), layout.size(), alignment()), layout);
}
