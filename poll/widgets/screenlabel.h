#pragma once

#include <QHash>
#include <QLabel>
#include <QPixmap>
#include <QStaticText>

// A text box of the radio's screen. The boxes lie over each other and over
// the display frame, so a change of one repaints the others in its area;
// each keeps its text drawn in a picture and draws it again only when the
// text, size or look of that box changed. While the radio scans, the same
// few names come round again and again: the laid-out text of each is kept,
// so a name seen before is not shaped anew.
class ScreenLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ScreenLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QStaticText &laidOut(const QString &text);

    QPixmap m_picture;
    QString m_pictureText;
    QFont m_pictureFont;
    QColor m_pictureColor;
    Qt::Alignment m_pictureAlignment;
    QHash<QString, QStaticText> m_layouts;
    QFont m_layoutFont;
};
