#include "intel/widgets/extendedtextbox.h"

ExtendedTextBox::ExtendedTextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
}

void ExtendedTextBox::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    Q_EMIT focused();
}
