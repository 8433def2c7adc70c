#pragma once

#include <QLabel>
#include <QPixmap>

// A text box of the radio's screen. The boxes lie over each other and over
// the display frame, so a change of one repaints the others in its area;
// each keeps its text drawn in a picture and lays it out again only when the
// text, size or look of that box changed.
class ScreenLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ScreenLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QString m_pictureText;
    QFont m_pictureFont;
    QColor m_pictureColor;
    Qt::Alignment m_pictureAlignment;
};
