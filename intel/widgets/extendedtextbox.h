#pragma once

#include <QPlainTextEdit>

// The extended info text box: it shows the hit's notes, and taking the
// focus (a click or the tab key) asks for the info to be looked up again.
class ExtendedTextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ExtendedTextBox(QWidget *parent = nullptr);

Q_SIGNALS:
    void focused();

protected:
    void focusInEvent(QFocusEvent *event) override;
};
