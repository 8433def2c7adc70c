#include "window/wheelnotches.h"
#include "window/widgets/wheelsupport.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

namespace {

// A widget that counts the wheel events it gets, and takes or ignores them.
class WheelCounter : public QWidget
{
public:
    explicit WheelCounter(bool accepts, QWidget *parent = nullptr)
        : QWidget(parent), m_accepts(accepts)
    {}
    int wheels = 0;

protected:
    void wheelEvent(QWheelEvent *event) override
    {
        ++wheels;
        if (m_accepts)
            event->accept();
        else
            event->ignore();
    }

private:
    bool m_accepts;
};

// A wheel event as the platform delivers it: to the window, spontaneous,
// from where Qt hands it to the widget under the cursor and, when that
// widget ignores it, on to its parents.
void rollWheel(QWidget *window, QPoint at, QPoint angleDelta, quint64 timestamp,
               QPoint pixelDelta = {}, Qt::KeyboardModifiers modifiers = {}, bool inverted = false)
{
    QWheelEvent wheel(QPointF(at), QPointF(window->mapToGlobal(at)), pixelDelta, angleDelta,
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, inverted);
    wheel.setTimestamp(timestamp);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(window->windowHandle(), &wheel);
}

QList<bool> steps(const QSignalSpy &spy)
{
    QList<bool> out;
    for (const QList<QVariant> &arguments : spy)
        out.append(arguments.at(0).toBool());
    return out;
}

} // namespace

class TestWheelSupport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void notches_data();
    void notches();
    void stepKey();
    void oneNotchEachWay_data();
    void oneNotchEachWay();
    void fineStepsMakeOneNotch();
    void directionChangeDropsRemainder();
    void pixelDeltaWhenNoAngle();
    void naturalScrollingStillMeansUp();
    void eventReachesWidgetUnderCursor();
    void ignoredEventCountedOnce();
    void scrollAreaCountedOnce();
    void sameRollTwiceCountsTwice();
    void otherWindowsNotWatched();
    void removeStopsWatching();
    void installOnSecondWindowLetsFirstGo();

private:
    QWidget *m_window = nullptr;
    WheelCounter *m_child = nullptr;
    WheelSupport *m_support = nullptr;
    quint64 m_time = 1000;
    void roll(QPoint angleDelta, QPoint pixelDelta = {}, bool inverted = false)
    {
        rollWheel(m_window, QPoint(50, 50), angleDelta, ++m_time, pixelDelta, {}, inverted);
    }
};

void TestWheelSupport::init()
{
    m_window = new QWidget;
    m_window->resize(200, 200);
    m_child = new WheelCounter(true, m_window);
    m_child->setGeometry(20, 20, 100, 100);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_support = new WheelSupport;
    m_support->InstallWheelSupport(m_window);
}

void TestWheelSupport::cleanup()
{
    delete m_support;
    delete m_window;
    m_support = nullptr;
    m_window = nullptr;
}

void TestWheelSupport::notches_data()
{
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<QList<int>>("notches");
    QTest::addColumn<int>("remainder");
    using Ints = QList<int>;
    QTest::newRow("one up") << Ints{120} << Ints{1} << 0;
    QTest::newRow("one down") << Ints{-120} << Ints{-1} << 0;
    QTest::newRow("fine steps") << Ints{30, 30, 30, 30} << Ints{0, 0, 0, 1} << 0;
    QTest::newRow("two at once") << Ints{240} << Ints{2} << 0;
    QTest::newRow("overshoot kept") << Ints{100, 100} << Ints{0, 1} << 80;
    QTest::newRow("turn drops remainder") << Ints{100, -30, -90} << Ints{0, 0, -1} << 0;
    QTest::newRow("turn back down") << Ints{-60, 60, 60} << Ints{0, 0, 1} << 0;
    QTest::newRow("zero changes nothing") << Ints{60, 0, 60} << Ints{0, 0, 1} << 0;
}

void TestWheelSupport::notches()
{
    QFETCH(QList<int>, deltas);
    QFETCH(QList<int>, notches);
    QFETCH(int, remainder);
    WheelNotches counter;
    QList<int> got;
    for (int delta : deltas)
        got.append(counter.add(delta));
    QCOMPARE(got, notches);
    QCOMPARE(counter.remainder(), remainder);
}

void TestWheelSupport::stepKey()
{
    QCOMPARE(wheelStepKey(true), QStringLiteral("key_right"));
    QCOMPARE(wheelStepKey(false), QStringLiteral("key_left"));
}

void TestWheelSupport::oneNotchEachWay_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<bool>("up");
    QTest::newRow("up") << 120 << true;
    QTest::newRow("down") << -120 << false;
}

void TestWheelSupport::oneNotchEachWay()
{
    QFETCH(int, delta);
    QFETCH(bool, up);
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    roll(QPoint(0, delta));
    QCOMPARE(steps(stepped), QList<bool>{up});
}

void TestWheelSupport::fineStepsMakeOneNotch()
{
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    for (int i = 0; i < 3; ++i)
        roll(QPoint(0, 30));
    QCOMPARE(stepped.count(), 0);
    roll(QPoint(0, 30));
    QCOMPARE(steps(stepped), QList<bool>{true});
    QCOMPARE(m_child->wheels, 4);
}

void TestWheelSupport::directionChangeDropsRemainder()
{
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    roll(QPoint(0, 90));
    roll(QPoint(0, -60));
    roll(QPoint(0, -60));
    QCOMPARE(steps(stepped), QList<bool>{false});
    roll(QPoint(0, 60));
    QCOMPARE(stepped.count(), 1);
    roll(QPoint(0, 60));
    QCOMPARE(steps(stepped), (QList<bool>{false, true}));
}

void TestWheelSupport::pixelDeltaWhenNoAngle()
{
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    roll(QPoint(0, 0), QPoint(0, -70));
    roll(QPoint(0, 0), QPoint(0, -70));
    QCOMPARE(steps(stepped), QList<bool>{false});
}

void TestWheelSupport::naturalScrollingStillMeansUp()
{
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    // The system turned the content's direction round: the wheel went up.
    roll(QPoint(0, -120), {}, true);
    QCOMPARE(steps(stepped), QList<bool>{true});
}

void TestWheelSupport::eventReachesWidgetUnderCursor()
{
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    roll(QPoint(0, 120));
    roll(QPoint(0, -120));
    QCOMPARE(m_child->wheels, 2);
    QCOMPARE(stepped.count(), 2);
}

void TestWheelSupport::ignoredEventCountedOnce()
{
    // The widget under the cursor ignores the roll; Qt hands it to each
    // parent in turn, and every one of them still gets it.
    auto *outer = new WheelCounter(false, m_window);
    outer->setGeometry(0, 130, 200, 70);
    auto *inner = new WheelCounter(false, outer);
    inner->setGeometry(10, 10, 50, 50);
    inner->show();
    outer->show();
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    rollWheel(m_window, QPoint(30, 150), QPoint(0, 120), ++m_time);
    QCOMPARE(inner->wheels, 1);
    QCOMPARE(outer->wheels, 1);
    QCOMPARE(steps(stepped), QList<bool>{true});
    rollWheel(m_window, QPoint(30, 150), QPoint(0, -120), ++m_time);
    QCOMPARE(inner->wheels, 2);
    QCOMPARE(outer->wheels, 2);
    QCOMPARE(steps(stepped), (QList<bool>{true, false}));
}

void TestWheelSupport::scrollAreaCountedOnce()
{
    // A scroll area hands the roll from its viewport to its scroll bar.
    auto *area = new QScrollArea(m_window);
    area->setGeometry(130, 0, 70, 120);
    auto *content = new QWidget;
    content->resize(50, 1000);
    area->setWidget(content);
    area->show();
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    rollWheel(m_window, QPoint(150, 50), QPoint(0, -120), ++m_time);
    QCOMPARE(steps(stepped), QList<bool>{false});
    QVERIFY(area->verticalScrollBar()->value() > 0);
}

void TestWheelSupport::sameRollTwiceCountsTwice()
{
    // Two rolls that look alike (same time stamp, place and amount) are two.
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    rollWheel(m_window, QPoint(50, 50), QPoint(0, 120), 5000);
    rollWheel(m_window, QPoint(50, 50), QPoint(0, 120), 5000);
    QCOMPARE(stepped.count(), 2);
    QCOMPARE(m_child->wheels, 2);
}

void TestWheelSupport::otherWindowsNotWatched()
{
    QWidget other;
    other.resize(100, 100);
    auto *counter = new WheelCounter(true, &other);
    counter->setGeometry(0, 0, 100, 100);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    rollWheel(&other, QPoint(50, 50), QPoint(0, 120), ++m_time);
    QCOMPARE(counter->wheels, 1);
    QCOMPARE(stepped.count(), 0);
}

void TestWheelSupport::removeStopsWatching()
{
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    m_support->RemoveWheelSupport(nullptr);
    QCOMPARE(m_support->hookedWindow(), m_window);
    m_support->RemoveWheelSupport(m_window);
    QCOMPARE(m_support->hookedWindow(), nullptr);
    roll(QPoint(0, 120));
    QCOMPARE(stepped.count(), 0);
    QCOMPARE(m_child->wheels, 1);
}

void TestWheelSupport::installOnSecondWindowLetsFirstGo()
{
    QWidget second;
    second.resize(100, 100);
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QSignalSpy stepped(m_support, &WheelSupport::stepped);
    m_support->InstallWheelSupport(&second);
    roll(QPoint(0, 120));
    QCOMPARE(stepped.count(), 0);
    rollWheel(&second, QPoint(50, 50), QPoint(0, -120), ++m_time);
    QCOMPARE(steps(stepped), QList<bool>{false});
    m_support->RemoveWheelSupport(&second);
}

QTEST_MAIN(TestWheelSupport)
#include "tst_wheelsupport.moc"
