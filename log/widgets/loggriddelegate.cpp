#include "log/widgets/loggriddelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace {

// More than a screenful of hits and their captions: the kept texts are
// started afresh beyond this.
constexpr qsizetype keptTextsAtMost = 4000;

} // namespace

const QStaticText &LogGridDelegate::laidOut(const QString &text, int width,
                                            const QStyleOptionViewItem &option) const
{
    if (option.font != m_keptFont || m_kept.size() >= keptTextsAtMost) {
        m_kept.clear();
        m_keptFont = option.font;
    }
    // The width is part of the key: a narrower column elides the text.
    const QString key = QString::number(width) + u'\x1f' + text;
    auto kept = m_kept.find(key);
    if (kept == m_kept.end()) {
        QStaticText laid(option.fontMetrics.elidedText(text, option.textElideMode, width));
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), option.font);
        kept = m_kept.insert(key, laid);
    }
    return *kept;
}

void LogGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    // The table draws no grid of its own (its one-pixel lines went through
    // the painter's stroker, line by line): each cell draws its right and
    // bottom lines where the table would.
    const QRect whole = cell.rect;
    cell.rect = whole.adjusted(0, 0, -1, -1);
    QPalette::ColorGroup group =
        cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(cell.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const bool selected = cell.state & QStyle::State_Selected;
    // The cells hold text alone: the background (or the selection) fills the
    // cell, the text sits inside the style's margin, and the focus frame
    // goes round the current cell while the table has the focus.
    if (selected)
        painter->fillRect(cell.rect, cell.palette.brush(group, QPalette::Highlight));
    else if (cell.backgroundBrush.style() != Qt::NoBrush)
        painter->fillRect(cell.rect, cell.backgroundBrush);
    const QWidget *widget = cell.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QColor grid =
        QColor::fromRgba(QRgb(style->styleHint(QStyle::SH_Table_GridLineColor, &cell, widget)));
    painter->fillRect(QRect(whole.right(), whole.top(), 1, whole.height()), grid);
    painter->fillRect(QRect(whole.left(), whole.bottom(), whole.width() - 1, 1), grid);
    if (!cell.text.isEmpty()) {
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect room = cell.rect.adjusted(margin, 0, -margin, 0);
        const QStaticText &laid = laidOut(cell.text, room.width(), cell);
        const QRect placed =
            QStyle::alignedRect(cell.direction, cell.displayAlignment, laid.size().toSize(), room);
        painter->save();
        painter->setFont(cell.font);
        painter->setPen(
            cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setClipRect(room, Qt::IntersectClip);
        painter->drawStaticText(placed.topLeft(), laid);
        painter->restore();
    }
    if (cell.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(cell);
        focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &cell, widget);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor =
            cell.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}
