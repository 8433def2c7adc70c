#pragma once

#include "link/widgets/keyprint.h"

#include <QWidget>

// The program's logo in the corner of the window. It takes the keyboard
// focus after most button actions, which ends typing in a text field and
// gives the keyboard back to the radio's shortcuts.
class LogoWidget : public QWidget
{
    Q_OBJECT
public:
    explicit LogoWidget(QWidget *parent = nullptr);

Q_SIGNALS:
    // A left click: pressed and released on the logo.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    KeyPrint m_word;
    QSizeF m_wordFor; // the box the word was fitted to
};
