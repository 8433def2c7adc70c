// The log box: it shows the log it is given, newest line first, and its
// scroll bars reach every line of the run and the end of the widest one.
#include "log/hitlogtext.h"
#include "log/widgets/hitlogview.h"

#include <QImage>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

class TestHitLogView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reachesEveryLine_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("a run's worth") << 2000;
    }
    void reachesEveryLine()
    {
        QFETCH(int, lines);
        HitLogText log;
        HitLogView view;
        view.setLog(&log);
        view.resize(300, 100);
        view.show();
        for (int i = 0; i < lines; ++i) {
            log.insertHitLine(QStringLiteral("System %1 / Group\tChannel\r\n").arg(i));
            view.logChanged();
        }
        const int inSight = view.verticalScrollBar()->pageStep();
        QVERIFY(inSight >= 1);
        QCOMPARE(view.verticalScrollBar()->maximum(), qMax(0, lines - inSight));
        if (lines > 0)
            QVERIFY(view.toPlainText().startsWith(QStringLiteral("System %1 / ").arg(lines - 1)));

        log.clear();
        view.logChanged();
        QCOMPARE(view.verticalScrollBar()->maximum(), 0);
        QCOMPARE(view.toPlainText(), QString());
    }

    void scrollsToTheEndOfTheWidestLine()
    {
        HitLogText log;
        HitLogView view;
        view.setLog(&log);
        view.resize(200, 100);
        view.show();
        log.insertHitLine(QStringLiteral("short\r\n"));
        view.logChanged();
        QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
        log.insertHitLine(QString(80, u'W') + QStringLiteral("\t\t\tend\r\n"));
        view.logChanged();
        const int wide = view.horizontalScrollBar()->maximum();
        QVERIFY(wide > view.fontMetrics().horizontalAdvance(QString(80, u'W')) - 200);
        // A newer short line does not shrink it.
        log.insertHitLine(QStringLiteral("short again\r\n"));
        view.logChanged();
        QCOMPARE(view.horizontalScrollBar()->maximum(), wide);
    }

    // A new line at the top moves what is painted down and paints itself
    // alone: the window must then show what a whole new paint would.
    void newLinesLookAsAWholePaint_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("added");
        QTest::newRow("first line") << 0 << 1;
        QTest::newRow("one more") << 2 << 1;
        QTest::newRow("two at once") << 3 << 2;
        QTest::newRow("more than in sight") << 3 << 12;
    }
    void newLinesLookAsAWholePaint()
    {
        QFETCH(int, before);
        QFETCH(int, added);
        HitLogText log;
        HitLogView view;
        view.setLog(&log);
        view.resize(300, 76);
        int line = 0;
        auto addLines = [&](int count) {
            for (int i = 0; i < count; ++i, ++line)
                log.insertHitLine(QStringLiteral("System %1 / Group\tChannel %1\r\n").arg(line));
            view.logChanged();
        };
        addLines(before);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        addLines(added);
        // The lines' area as the window shows it, and as painted anew.
        const auto shown = [&] {
            const QRect area(view.viewport()->mapTo(&view, QPoint()), view.viewport()->size());
            return view.screen()
                ->grabWindow(view.winId())
                .toImage()
                .copy(area)
                .convertToFormat(QImage::Format_RGB32);
        };
        const auto whole = [&] {
            return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        QTRY_COMPARE(shown(), whole());
    }
};

QTEST_MAIN(TestHitLogView)
#include "tst_hitlogview.moc"
