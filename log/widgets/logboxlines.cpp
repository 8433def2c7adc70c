#include "log/widgets/logboxlines.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

void insertNewestLogLine(QPlainTextEdit *box, const QString &line)
{
    QTextDocument *document = box->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(line + (document->isEmpty() ? QString() : QStringLiteral("\n")));

    // Every line passes this place once, one line further with each hit.
    const QTextBlock old = document->findBlockByNumber(logBoxLaidOutLines);
    if (old.isValid() && old.layout()->lineCount() > 0) {
        // Setting a layout's text drops its lines and glyphs; the box's
        // layout sees no lines and lays the block out again when painted.
        QTextLayout *layout = old.layout();
        layout->setText(layout->text());
    }
}
