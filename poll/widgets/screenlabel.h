#pragma once

#include <QHash>
#include <QImage>
#include <QLabel>
#include <QStaticText>

// A text box of the radio's screen. The boxes lie over each other and over
// the display frame, so a repaint of one repaints the others in its area.
// A new text repaints only its changed lines (showText), and each box draws
// its text in bands one line high. While the radio scans, the same few
// names come round again and again: the laid-out text of each is kept, so
// a name seen before is not shaped anew, and each band's pixels are kept
// as an image, so a band seen before is copied rather than its glyphs
// blended anew (a box repainted because another over it changed costs a
// copy too).
// The screen boxes' repaints joined into one rectangle until it is painted:
// the window's changed pixels then reach the display as one strip rather
// than one per box. The rectangle is asked of the widget below the boxes
// (their sibling, the display frame), which repaints the boxes over it.
class JoinedRepaint
{
public:
    explicit JoinedRepaint(QWidget *below = nullptr) : m_below(below) {}
    void setBelow(QWidget *below) { m_below = below; }
    // Asks for the area of the box (in its coordinates) and all asked for
    // before it since the last paint.
    void add(const QWidget *box, const QRect &area);
    void painted() { m_pending = QRect(); }

private:
    QWidget *m_below;
    QRect m_pending;
};

class ScreenLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ScreenLabel(QWidget *parent = nullptr);

    // Sets the text as setText() does, but repaints only the lines that
    // changed: a box repainted whole repaints the frame and every box below
    // it, while the radio's scan changes one or two lines a tick.
    void showText(const QString &text);
    // Its changed lines are repainted as part of the join's rectangle.
    void joinRepaints(JoinedRepaint *join) { m_join = join; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QStaticText &laidOut(const QString &text);
    void keepCachesFor(qreal devicePixelRatio);
    // A band of the given size with the text drawn at the given place in
    // it, the lines that can reach into it given.
    const QImage &drawnBand(const QString &lines, const QStaticText &layout, const QPointF &at,
                            const QSize &size);

    struct Band
    {
        QPointF at;
        QSize size;
        QString lines;
        QImage image;
        quint64 lastUse = 0;
    };

    JoinedRepaint *m_join = nullptr;
    QHash<QString, QStaticText> m_layouts;
    QList<Band> m_bands; // the least lately used goes first when full
    quint64 m_bandUses = 0;
    QFont m_bandFont;
    QColor m_bandInk;
    qreal m_bandRatio = 0;
    QFont m_layoutFont;
    QFont m_lineHeightFont;
    qreal m_lineHeight = 0;
    // The text painted last, split into its lines, and its layout: a box
    // is repainted several times a tick with the same text.
    QString m_paintedText;
    QStringList m_paintedLines;
    QStaticText m_paintedLayout;
};
