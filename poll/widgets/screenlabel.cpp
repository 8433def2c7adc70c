#include "poll/widgets/screenlabel.h"

#include "poll/changedlines.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

namespace {

// Enough for the names of a long scan list; past it the texts are laid out
// afresh.
constexpr qsizetype keptLayouts = 128;
// Drawn bands kept per box, the least lately used dropped first: a band of
// the largest box is some 20 KB.
constexpr qsizetype keptBands = 24;
// Ink may reach this far past a text's advance.
constexpr int inkMargin = 3;

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
    const QRect area = strip.toAlignedRect() & rect();
    if (m_join)
        m_join->add(this, area);
    else
        update(area);
}

void JoinedRepaint::add(const QWidget *box, const QRect &area)
{
    // Only over a shown frame that holds the whole box (a layout may hide
    // the frame or move the boxes off it).
    if (!m_below || m_below->parentWidget() != box->parentWidget() || !m_below->isVisible() ||
        !m_below->geometry().contains(box->geometry())) {
        const_cast<QWidget *>(box)->update(area);
        return;
    }
    m_pending |= area.translated(box->pos() - m_below->pos());
    m_below->update(m_pending);
}

const QStaticText &ScreenLabel::laidOut(const QString &text)
{
    if (m_layoutFont != font() || m_layouts.size() >= keptLayouts) {
        m_layouts.clear();
        m_layoutFont = font();
    }
    auto it = m_layouts.constFind(text);
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

void ScreenLabel::keepCachesFor(qreal devicePixelRatio)
{
    const QColor ink = palette().color(foregroundRole());
    if (m_bandFont != font() || m_bandInk != ink || m_bandRatio != devicePixelRatio) {
        m_bands.clear();
        m_bandFont = font();
        m_bandInk = ink;
        m_bandRatio = devicePixelRatio;
    }
}

const QImage &ScreenLabel::drawnBand(const QString &lines, const QStaticText &layout,
                                     const QPointF &at, const QSize &size)
{
    ++m_bandUses;
    qsizetype oldest = 0;
    for (qsizetype i = 0; i < m_bands.size(); ++i) {
        Band &band = m_bands[i];
        if (band.at == at && band.size == size && band.lines == lines) {
            band.lastUse = m_bandUses;
            return band.image;
        }
        if (band.lastUse < m_bands.at(oldest).lastUse)
            oldest = i;
    }
    QImage image(size * m_bandRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(m_bandRatio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font());
        painter.setPen(m_bandInk);
        painter.drawStaticText(at, layout);
    }
    const Band band{at, size, lines, image, m_bandUses};
    if (m_bands.size() < keptBands) {
        m_bands.append(band);
        return m_bands.last().image;
    }
    m_bands[oldest] = band;
    return m_bands.at(oldest).image;
}

void ScreenLabel::paintEvent(QPaintEvent *event)
{
    // The box is drawn in bands one line high across the text, each from
    // the whole laid-out text clipped to the band, so ink that reaches into
    // a neighbouring line is drawn as it would be at once. A band's pixels
    // depend only on the lines that can reach into it and on where the text
    // sits against the pixel grid: that is the key of its kept image.
    if (m_join)
        m_join->painted();
    const QRect box = contentsRect();
    keepCachesFor(devicePixelRatioF());
    if (m_paintedText != text() || m_layoutFont != font()) {
        m_paintedLayout = laidOut(text());
        m_paintedText = text();
        m_paintedLines = m_paintedText.split(QLatin1Char('\n'));
    }
    const QStaticText &layout = m_paintedLayout;
    const QStringList &lines = m_paintedLines;
    if (m_lineHeightFont != font()) {
        m_lineHeightFont = font();
        m_lineHeight = QFontMetricsF(m_lineHeightFont).height();
    }
    const QPointF origin = placed(box, layout.size(), alignment());
    const int left = qMax(box.left(), qFloor(origin.x()) - inkMargin);
    const int right = qMin(box.right() + 1, qCeil(origin.x() + layout.size().width()) + inkMargin);
    const qreal lineHeight = qMax<qreal>(1, m_lineHeight);
    const int bandHeight = qCeil(lineHeight);
    const QRect wanted = event->rect() & box;
    QPainter painter(this);
    for (int top = box.top(); top <= box.bottom() && left < right; top += bandHeight) {
        const QRect band(left, top, right - left, qMin(bandHeight, box.bottom() + 1 - top));
        if (!band.intersects(wanted))
            continue;
        const int first = qMax(0, qFloor((top - origin.y()) / lineHeight) - 1);
        const int last =
            qMin(lines.size() - 1, qFloor((band.bottom() + 1 - origin.y()) / lineHeight) + 1);
        if (first > last)
            continue;
        const QPointF at = origin - QPointF(band.topLeft());
        QString near = lines.at(first);
        for (int line = first + 1; line <= last; ++line)
            near += QLatin1Char('\n') + lines.at(line);
        // Only the part to be repainted is copied (the bands lie within the
        // box, so no clip of the painter's own is needed).
        const QRect part = band & wanted;
        painter.drawImage(QRectF(part), drawnBand(near, layout, at, band.size()),
                          QRectF(QPointF(part.topLeft() - band.topLeft()) * m_bandRatio,
                                 QSizeF(part.size()) * m_bandRatio));
    }
}
