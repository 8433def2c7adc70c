#pragma once

#include <QHash>
#include <QLabel>
#include <QStaticText>

// A text box of the radio's screen. The boxes lie over each other and over
// the display frame, so a repaint of one repaints the others in its area.
// A new text repaints only its changed lines (showText), and each box draws
// its text straight onto the window, clipped to what is repainted. While
// the radio scans, the same few names come round again and again: the
// laid-out text of each is kept, so a name seen before is not shaped anew.
class ScreenLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ScreenLabel(QWidget *parent = nullptr);

    // Sets the text as setText() does, but repaints only the lines that
    // changed: a box repainted whole repaints the frame and every box below
    // it, while the radio's scan changes one or two lines a tick.
    void showText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QStaticText &laidOut(const QString &text);

    QHash<QString, QStaticText> m_layouts;
    QFont m_layoutFont;
    QFont m_lineHeightFont;
    qreal m_lineHeight = 0;
};
