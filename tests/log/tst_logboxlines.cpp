#include "log/widgets/logboxlines.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

QString hitLine(int i)
{
    return QStringLiteral("System%1 / Group\tChannel %1\t 154.2500\tC67.0\t3:45:12 PM\t"
                          "3:45:20 PM\t12-06-2026")
        .arg(i);
}

} // namespace

class TestLogBoxLines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newestLineOnTop_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("one") << 1;
        QTest::newRow("within the laid-out lines") << logBoxLaidOutLines;
        QTest::newRow("well beyond them") << 3 * logBoxLaidOutLines;
    }

    void newestLineOnTop()
    {
        QFETCH(int, lines);
        QPlainTextEdit box;
        box.setLineWrapMode(QPlainTextEdit::NoWrap);
        box.resize(600, 80);
        box.show();
        QStringList expected;
        for (int i = 0; i < lines; ++i) {
            insertNewestLogLine(&box, hitLine(i));
            expected.prepend(hitLine(i));
            if (i % 50 == 0)
                box.repaint();
        }
        QCOMPARE(box.toPlainText(), expected.join(u'\n'));
    }

    // An old line has given its layout back; scrolled into view it is laid
    // out and painted again.
    void oldLineShownAgain()
    {
        QPlainTextEdit box;
        box.setLineWrapMode(QPlainTextEdit::NoWrap);
        box.resize(600, 80);
        box.show();
        for (int i = 0; i < 2 * logBoxLaidOutLines; ++i) {
            insertNewestLogLine(&box, hitLine(i));
            box.repaint();
        }
        const QTextBlock old = box.document()->findBlockByNumber(logBoxLaidOutLines + 10);
        QCOMPARE(old.layout()->lineCount(), 0);
        box.verticalScrollBar()->setValue(old.blockNumber());
        box.repaint();
        QCOMPARE(old.layout()->lineCount(), 1);
        QVERIFY(old.layout()->lineAt(0).naturalTextWidth() > 100);
    }
};

QTEST_MAIN(TestLogBoxLines)
#include "tst_logboxlines.moc"
