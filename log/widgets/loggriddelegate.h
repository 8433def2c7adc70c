#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

// Paints the log table's cells as the style does, but keeps each cell's
// text laid out once: the whole table is painted again at every hit, and
// laying out its few hundred cells anew each time was most of that paint.
// The text is elided to its cell as the style would. The cells also draw
// the table's grid: the view's own grid must be off.
class LogGridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    const QStaticText &laidOut(const QString &text, int width,
                               const QStyleOptionViewItem &option) const;

    // The texts kept laid out, dropped when the font changes or when there
    // are too many.
    mutable QHash<QString, QStaticText> m_kept;
    mutable QFont m_keptFont;
};
