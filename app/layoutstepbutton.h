#pragma once

#include "link/widgets/keyprint.h"

#include <QPushButton>

// One of the two small buttons that step the window's layout ("-" and "+"):
// a light grey plate with a dark rim and a bold 9 px caption. Its caption is
// laid out as the keys' prints are, from the bold face of the window's font
// scaled to 9 px, so the button loads no font of its own.
class LayoutStepButton : public QPushButton
{
    Q_OBJECT
public:
    explicit LayoutStepButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    KeyFonts m_fonts;
    KeyPrint m_caption;
    // The text and font m_caption was laid out for.
    QString m_captionText;
    QFont m_captionFont;
};
