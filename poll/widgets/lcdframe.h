#pragma once

#include <QPixmap>
#include <QWidget>

// The radio's screen as the panel draws it: a dark bezel with rounded
// corners around a backlit glass in warm amber grey. The screen's text boxes
// sit on top of it. It paints every pixel of itself, its corners in the
// window's colour behind it, so the window need not fill its background
// below the screen at each change of the text.
class LcdFrame : public QWidget
{
    Q_OBJECT
public:
    explicit LcdFrame(QWidget *parent = nullptr);

    QSize sizeHint() const override;

    // The glass area inside the bezel, in widget coordinates.
    QRectF glassRect() const;

    static QColor bezelColor();
    static QColor glassColor();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintFrame(QPainter &painter) const;

    QPixmap m_cache;
    QColor m_cacheBehind;
};
