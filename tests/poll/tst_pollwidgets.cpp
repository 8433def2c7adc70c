#include "poll/changedlines.h"
#include "poll/widgets/lcdframe.h"
#include "poll/widgets/screenfont.h"
#include "poll/widgets/screenlabel.h"
#include "poll/widgets/signalmeter.h"

#include <QFontInfo>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

// Pixels drawn at least half opaque.
int inkedPixels(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) >= 128)
                ++count;
        }
    }
    return count;
}

// A screen box as the window sets one up.
void setUpBox(ScreenLabel &box, const QRect &at, int pixelSize, Qt::Alignment alignment)
{
    box.setGeometry(at);
    box.setFont(screenFont(pixelSize));
    box.setAlignment(alignment);
    box.setAttribute(Qt::WA_TranslucentBackground);
}

// Counts the paints a widget gets.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    QRegion painted;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent *>(event)->region();
        }
        return QObject::eventFilter(watched, event);
    }
};

// Pixels as dark as the meter's ink, on an opaque grab of the widget.
int darkPixels(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() < 80)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestPollWidgets : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void meterPixmapSize_data();
    void meterPixmapSize();
    void moreLevelMoreInk();
    void emptyFrameIsDrawn();
    void meterLevelBounds_data();
    void meterLevelBounds();
    void meterDesignSize();
    void meterPaintsItsLevel();
    void lcdFramePaintsBezelAndGlass();
    void screenFontIsFixedPitch_data();
    void screenFontIsFixedPitch();
    void screenLabelDrawsAsTextIsDrawn_data();
    void screenLabelDrawsAsTextIsDrawn();
    void changedLinesOfScreenText_data();
    void changedLinesOfScreenText();
    void screenLabelRepaintsChangedLines_data();
    void screenLabelRepaintsChangedLines();
    void joinedBoxesRepaintAsOneStrip();
};

void TestPollWidgets::meterPixmapSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("pixels");

    QTest::newRow("design") << QSize(15, 11) << 1.0 << QSize(15, 11);
    QTest::newRow("high dpi") << QSize(15, 11) << 2.0 << QSize(30, 22);
    QTest::newRow("large") << QSize(60, 44) << 1.5 << QSize(90, 66);
    QTest::newRow("bad ratio counts as 1") << QSize(15, 11) << 0.0 << QSize(15, 11);
}

void TestPollWidgets::meterPixmapSize()
{
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    QFETCH(QSize, pixels);
    const QPixmap pixmap = signalMeterPixmap(3, size, ratio);
    QCOMPARE(pixmap.size(), pixels);
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
}

void TestPollWidgets::moreLevelMoreInk()
{
    int previous = -1;
    for (int level = 0; level <= SignalMeter::maximumLevel; ++level) {
        const int ink = inkedPixels(signalMeterPixmap(level, QSize(60, 44), 1.0));
        QVERIFY2(ink > previous, qPrintable(QStringLiteral("level %1").arg(level)));
        previous = ink;
    }
}

void TestPollWidgets::emptyFrameIsDrawn()
{
    const QPixmap empty = signalMeterPixmap(0, QSize(60, 44), 1.0);
    QVERIFY(inkedPixels(empty) > 0);
    QVERIFY(inkedPixels(empty) < 60 * 44 / 2);
    QCOMPARE(inkedPixels(signalMeterPixmap(-3, QSize(60, 44), 1.0)), inkedPixels(empty));
    QCOMPARE(inkedPixels(signalMeterPixmap(9, QSize(60, 44), 1.0)),
             inkedPixels(signalMeterPixmap(5, QSize(60, 44), 1.0)));
}

void TestPollWidgets::meterLevelBounds_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("level");
    QTest::newRow("below") << -1 << 0;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("3") << 3 << 3;
    QTest::newRow("5") << 5 << 5;
    QTest::newRow("above") << 6 << 5;
}

void TestPollWidgets::meterLevelBounds()
{
    QFETCH(int, asked);
    QFETCH(int, level);
    SignalMeter meter;
    meter.setLevel(asked);
    QCOMPARE(meter.level(), level);
}

void TestPollWidgets::meterDesignSize()
{
    SignalMeter meter;
    QCOMPARE(meter.sizeHint(), QSize(15, 11));
    QCOMPARE(meter.size(), QSize(15, 11));
    QCOMPARE(meter.level(), 0);
}

void TestPollWidgets::meterPaintsItsLevel()
{
    SignalMeter meter;
    meter.resize(60, 44);
    meter.setLevel(0);
    const int empty = darkPixels(meter.grab());
    meter.setLevel(5);
    const int full = darkPixels(meter.grab());
    QVERIFY(empty > 0);
    QVERIFY(full > empty);
}

void TestPollWidgets::lcdFramePaintsBezelAndGlass()
{
    LcdFrame frame;
    frame.resize(300, 140);
    const QImage image = frame.grab().toImage();
    const QRectF glass = frame.glassRect();
    QVERIFY(glass.width() > 0 && glass.height() > 0);
    QVERIFY(QRectF(frame.rect()).contains(glass));

    const QColor centre = image.pixelColor(image.width() / 2, image.height() / 2);
    const QColor edge = image.pixelColor(image.width() / 2, 3);
    QVERIFY(qAbs(centre.red() - LcdFrame::glassColor().red()) < 40);
    QVERIFY(qAbs(centre.green() - LcdFrame::glassColor().green()) < 40);
    QVERIFY(edge.lightness() < 100);
    QVERIFY(centre.lightness() > edge.lightness() + 60);
    // The glass is warm: more red and green than blue.
    QVERIFY(centre.red() > centre.blue() + 20);
    // Round the rounded corners shows the window's colour, as it changes.
    QCOMPARE(image.pixelColor(0, 0), frame.palette().color(QPalette::Window));
    QPalette red = frame.palette();
    red.setColor(QPalette::Window, Qt::red);
    frame.setPalette(red);
    QCOMPARE(frame.grab().toImage().pixelColor(0, 0), QColor(Qt::red));
}

void TestPollWidgets::screenFontIsFixedPitch_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("12") << 12;
    QTest::newRow("20") << 20;
    QTest::newRow("0 becomes 1") << 0;
}

void TestPollWidgets::screenFontIsFixedPitch()
{
    QFETCH(int, pixelSize);
    const QFont font = screenFont(pixelSize);
    QCOMPARE(font.pixelSize(), qMax(1, pixelSize));
    QCOMPARE(font.styleHint(), QFont::Monospace);
    QVERIFY(QFontInfo(font).fixedPitch());
}

QTEST_MAIN(TestPollWidgets)
void TestPollWidgets::screenLabelDrawsAsTextIsDrawn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    const int leftMiddle = int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("one line") << "Springfield" << leftMiddle;
    QTest::newRow("three lines") << "Metro\nFire Dispatch\nEngine 5" << leftMiddle;
    QTest::newRow("closing line break") << "Choose Settings\nThen Hit Run\n" << leftMiddle;
    QTest::newRow("right, top") << "460.5250" << int(Qt::AlignRight | Qt::AlignTop);
    QTest::newRow("wider than the box") << "WWWWWWWWWWWWWWWWWWWWWWWWWWWW" << leftMiddle;
    QTest::newRow("centred") << "GRP----------" << int(Qt::AlignCenter);
}

// The box keeps its texts laid out; it must draw them where and as the
// painter's own text drawing puts them, the second time as the first.
void TestPollWidgets::screenLabelDrawsAsTextIsDrawn()
{
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QWidget glass;
    glass.resize(240, 100);
    ScreenLabel label(&glass);
    setUpBox(label, QRect(0, 0, 240, 100), 18, Qt::Alignment(alignment));
    QImage expected(label.size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    {
        QPainter painter(&expected);
        painter.setFont(label.font());
        painter.setPen(label.palette().color(label.foregroundRole()));
        painter.drawText(label.contentsRect(), alignment, text);
    }
    for (const QString &shown : {text, QStringLiteral("other"), text}) {
        label.setText(shown);
        QImage drawn(label.size(), QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        label.render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
        if (shown == text)
            QCOMPARE(drawn, expected);
    }
}

void TestPollWidgets::changedLinesOfScreenText_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("first"); // -1: none
    QTest::addColumn<int>("last");
    QTest::newRow("second line") << "Metro\nFire"
                                 << "Metro\nEMS" << 1 << 1;
    QTest::newRow("first and third") << "A\nB\nC"
                                     << "X\nB\nZ" << 0 << 2;
    QTest::newRow("a line more") << "A"
                                 << "A\nB" << 1 << 1;
    QTest::newRow("closing break only") << "A\nB"
                                        << "A\nB\n"
                                        << -1 << -1;
}

void TestPollWidgets::changedLinesOfScreenText()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, first);
    QFETCH(int, last);
    const std::optional<LineSpan> span = changedLines(before, after);
    QCOMPARE(span ? span->first : -1, first);
    QCOMPARE(span ? span->last : -1, last);
}

void TestPollWidgets::screenLabelRepaintsChangedLines_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("lowerBoxRepainted");
    QTest::newRow("channel line") << "Marion County\nSO Dispatch"
                                  << "Marion County\nFire Dispatch" << false;
    QTest::newRow("a line more") << "Choose Settings"
                                 << "Choose Settings\nThen\nHit Run" << true;
    QTest::newRow("lines fewer") << "Metro\nFire\nEngine 5"
                                 << "Metro" << true;
}

// What reaches the screen after a new text is what a whole repaint draws,
// the box below the changed lines included; a box below lines that did not
// change is left alone.
void TestPollWidgets::screenLabelRepaintsChangedLines()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, lowerBoxRepainted);
    QWidget window;
    window.resize(260, 110);
    LcdFrame frame(&window);
    frame.setGeometry(0, 0, 260, 110);
    ScreenLabel label(&window);
    setUpBox(label, QRect(10, 5, 240, 100), 18, Qt::AlignLeft | Qt::AlignTop);
    ScreenLabel lower(&window);
    const int lineHeight = QFontMetrics(label.font()).height();
    setUpBox(lower, QRect(10, 9 + 2 * lineHeight, 240, lineHeight), 13, Qt::AlignLeft);
    lower.setText(QStringLiteral("NFM  154.7500"));
    label.setText(before);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    PaintCounter lowerPaints;
    lower.installEventFilter(&lowerPaints);

    label.showText(after);
    QCoreApplication::processEvents();
    QCOMPARE(label.text(), after);
    QCOMPARE(lowerPaints.paints > 0, lowerBoxRepainted);
    QCOMPARE(
        window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32),
        window.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// Two boxes changed in one tick, one over the other's right half: with
// their repaints joined, the frame below and the window are painted as one
// rectangle, and what reaches the screen is what a whole repaint draws.
void TestPollWidgets::joinedBoxesRepaintAsOneStrip()
{
    QWidget window;
    window.resize(260, 110);
    LcdFrame frame(&window);
    frame.setGeometry(0, 0, 260, 110);
    JoinedRepaint join(&frame);
    ScreenLabel upper(&window);
    setUpBox(upper, QRect(10, 5, 240, 60), 18, Qt::AlignLeft | Qt::AlignTop);
    ScreenLabel right(&window);
    setUpBox(right, QRect(150, 80, 100, 20), 13, Qt::AlignLeft | Qt::AlignTop);
    upper.setText(QStringLiteral("Marion County\nSO Dispatch"));
    right.setText(QStringLiteral("154.7500"));
    for (ScreenLabel *box : {&upper, &right})
        box->joinRepaints(&join);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    PaintCounter framePaints;
    frame.installEventFilter(&framePaints);

    upper.showText(QStringLiteral("Marion County\nFire Dispatch"));
    right.showText(QStringLiteral("460.5250"));
    QCoreApplication::processEvents();
    QCOMPARE(framePaints.painted.rectCount(), 1);
    QVERIFY(framePaints.painted.boundingRect().contains(QRect(150, 80, 100, 10)));
    QCOMPARE(
        window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32),
        window.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

#include "tst_pollwidgets.moc"
