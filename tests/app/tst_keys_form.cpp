// The drawn keypad and the mouse wheel on the real window, down to the bytes
// the simulated radio receives.
#include "support/radiofixture.h"

#include "link/keyhelp.h"
#include "link/widgets/keybutton.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

namespace {

// A poll interval long enough that no tick comes during a test: the wire
// then carries only what the keys send.
constexpr int quietInterval = 60000;
constexpr int pollInterval = 100;
// The radio stamps a line when it reads it; on a busy machine it reads the
// line before a wait a few ms late, so a gap on its clock may look that much
// shorter than the wait.
constexpr int readSlackMs = 10;

QList<QByteArray> lines(PtyRadio &radio)
{
    QList<QByteArray> out;
    for (const PtyRadio::Received &received : radio.received())
        out.append(received.line);
    return out;
}

// When the radio received the first line equal to text; -1 when it did not.
qint64 receivedAt(PtyRadio &radio, const QByteArray &text)
{
    for (const PtyRadio::Received &received : radio.received()) {
        if (received.line == text)
            return received.atMs;
    }
    return -1;
}

// A wheel roll as the platform delivers it: to the window, from where Qt
// hands it to the widget under the cursor.
void rollWheel(QWidget *window, QPoint at, int delta, quint64 timestamp)
{
    QWheelEvent wheel(QPointF(at), QPointF(window->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    wheel.setTimestamp(timestamp);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(window->windowHandle(), &wheel);
}

// Counts the wheel events a widget gets.
class WheelCounter : public QObject
{
public:
    int wheels = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Wheel)
            ++wheels;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TestKeysForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clickSendsExactBytes_data();
    void clickSendsExactBytes();
    void closeCallOnlyStopsQuickScanFirst();
    void closeCallOnlyStopsQuickScanInItsTurn();
    void lockWaitsOneSecond();
    void funcKeyToggles();
    void reverseKeyToggles();
    void stopInsideAKeySequence_data();
    void stopInsideAKeySequence();
    void releaseOutsideSendsNothing_data();
    void releaseOutsideSendsNothing();
    void noPollInsideSequence();
    void clickDuringSequenceFollowsIt();
    void wheel_data();
    void wheel();
    void wheelWithPortClosedStillReachesWidget();
    void keysGetTheirToolTipsOnceShown();

private:
    std::unique_ptr<Form1> openForm(RadioFixture &fx, int interval);
    static void click(Form1 &form, const char *keyName);
};

std::unique_ptr<Form1> TestKeysForm::openForm(RadioFixture &fx, int interval)
{
    fx.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, interval));
    auto form = fx.makeForm();
    form->show();
    form->activateWindow();
    return form;
}

void TestKeysForm::click(Form1 &form, const char *keyName)
{
    KeyButton *key = child<KeyButton>(&form, keyName);
    QVERIFY2(key, keyName);
    QTest::mouseClick(key, Qt::LeftButton, {}, key->rect().center());
}

void TestKeysForm::clickSendsExactBytes_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("g3") << QByteArray("key_g3") << QByteArray("KEY,F,H\rKEY,3,P\rKEY,F,R\r");
    QTest::newRow("g0") << QByteArray("key_g0") << QByteArray("KEY,F,H\rKEY,0,P\rKEY,F,R\r");
    QTest::newRow("wx") << QByteArray("key_wx")
                        << QByteArray("KEY,F,H\rKEY,2,P\rKEY,F,R\rKEY,^,P\r");
    QTest::newRow("pri") << QByteArray("key_pri") << QByteArray("KEY,F,H\rKEY,1,P\rKEY,F,R\r");
    QTest::newRow("att") << QByteArray("key_att") << QByteArray("KEY,F,H\rKEY,E,P\rKEY,F,R\r");
    QTest::newRow("hold bar") << QByteArray("key_hold_bar") << QByteArray("KEY,H,P\r");
    QTest::newRow("no") << QByteArray("key_no") << QByteArray("KEY,.,P\r");
    QTest::newRow("power") << QByteArray("key_power") << QByteArray("KEY,P,P\r");
    QTest::newRow("right") << QByteArray("key_right") << QByteArray("KEY,>,P\r");
}

void TestKeysForm::clickSendsExactBytes()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, wire);
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    fx.radio().clearReceived();
    click(*form, key.constData());
    QCOMPARE(fx.wireUpToMarker(*form), wire);
}

void TestKeysForm::closeCallOnlyStopsQuickScanFirst()
{
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    auto *scanButton = child<QPushButton>(form.get(), "key_start_quck_scan");
    if (!scanButton) {
        scanButton = new QPushButton(form.get());
        scanButton->setObjectName(QStringLiteral("key_start_quck_scan"));
    }
    scanButton->setText(QStringLiteral("Stop Quick Scan"));
    form->quick_scan_running = true;
    fx.radio().clearReceived();

    click(*form, "key_cconly");
    // Nothing waits in this key: the quick scan has stopped by the time the
    // click returns, and the menu walk follows.
    QVERIFY(!form->quick_scan_running);
    QCOMPARE(scanButton->text(), QStringLiteral("Start Quick Scan"));
    QCOMPARE(fx.wireUpToMarker(*form),
             QByteArray("KEY,M,P\rKEY,>,P\rKEY,>,P\rKEY,>,P\rKEY,E,P\rKEY,E,P\r"));
}

void TestKeysForm::closeCallOnlyStopsQuickScanInItsTurn()
{
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    form->quick_scan_running = true;
    fx.radio().clearReceived();

    click(*form, "key_lock");
    QTRY_VERIFY_WITH_TIMEOUT(receivedAt(fx.radio(), "KEY,F,H") >= 0, 5000);
    QVERIFY(form->sequencer().busy());
    click(*form, "key_cconly");
    // The lock still waits for its second: the close-call key, and with it
    // the stop of the quick scan, comes after it.
    QVERIFY(form->quick_scan_running);
    QCOMPARE(fx.wireUpToMarker(*form),
             QByteArray("KEY,F,H\rKEY,P,P\rKEY,F,R\r"
                        "KEY,M,P\rKEY,>,P\rKEY,>,P\rKEY,>,P\rKEY,E,P\rKEY,E,P\r"));
    QVERIFY(!form->quick_scan_running);
}

void TestKeysForm::lockWaitsOneSecond()
{
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    fx.radio().clearReceived();

    click(*form, "key_lock");
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray("KEY,F,H\rKEY,P,P\rKEY,F,R\r"));
    const qint64 held = receivedAt(fx.radio(), "KEY,F,H");
    const qint64 pressed = receivedAt(fx.radio(), "KEY,P,P");
    QVERIFY2(pressed - held >= 1000 - readSlackMs, qPrintable(QString::number(pressed - held)));
}

void TestKeysForm::funcKeyToggles()
{
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    KeyButton *key = child<KeyButton>(form.get(), "key_f");
    QVERIFY(key);
    QVERIFY(!key->isHeld());
    fx.radio().clearReceived();

    click(*form, "key_f");
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray("KEY,F,H\r"));
    QVERIFY(form->f_key_held);
    QVERIFY(key->isHeld());
    QVERIFY(key->looksPressed());

    fx.radio().clearReceived();
    click(*form, "key_f");
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray("KEY,F,R\r"));
    QVERIFY(!form->f_key_held);
    QVERIFY(!key->isHeld());
    QVERIFY(!key->looksPressed());
}

void TestKeysForm::reverseKeyToggles()
{
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    KeyButton *key = child<KeyButton>(form.get(), "key_rev");
    QVERIFY(key);
    fx.radio().clearReceived();

    click(*form, "key_rev");
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray("KEY,F,H\rKEY,.,H\r"));
    QVERIFY(form->rev_key_held);
    QVERIFY(key->isHeld());
    qint64 gap = receivedAt(fx.radio(), "KEY,.,H") - receivedAt(fx.radio(), "KEY,F,H");
    QVERIFY2(gap >= 1000 - readSlackMs, qPrintable(QString::number(gap)));

    fx.radio().clearReceived();
    click(*form, "key_rev");
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray("KEY,.,R\rKEY,F,R\r"));
    QVERIFY(!form->rev_key_held);
    QVERIFY(!key->isHeld());
    gap = receivedAt(fx.radio(), "KEY,F,R") - receivedAt(fx.radio(), "KEY,.,R");
    QVERIFY2(gap >= 1000 - readSlackMs, qPrintable(QString::number(gap)));
}

void TestKeysForm::stopInsideAKeySequence_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("heldFirst");
    QTest::addColumn<bool>("unplug");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<bool>("revHeld");
    QTest::newRow("Stop while key_rev holds")
        << QByteArray("key_rev") << false << false << QByteArray("KEY,F,H\rKEY,.,H\r") << true;
    QTest::newRow("Stop while key_rev lets go")
        << QByteArray("key_rev") << true << false << QByteArray("KEY,.,R\rKEY,F,R\r") << false;
    QTest::newRow("Stop while key_lock waits")
        << QByteArray("key_lock") << false << false << QByteArray("KEY,F,H\rKEY,P,P\rKEY,F,R\r")
        << false;
    QTest::newRow("unplug while key_rev holds")
        << QByteArray("key_rev") << false << true << QByteArray("KEY,F,H\r") << false;
}

// Stop lets the running key end with its own commands, drops what is
// queued behind it (here a click on key_f), and then closes the line; the
// held keys show what the radio last received.
void TestKeysForm::stopInsideAKeySequence()
{
    QFETCH(QByteArray, key);
    QFETCH(bool, heldFirst);
    QFETCH(bool, unplug);
    QFETCH(QByteArray, wire);
    QFETCH(bool, revHeld);
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    if (heldFirst) {
        click(*form, "key_rev");
        QTRY_VERIFY_WITH_TIMEOUT(!form->sequencer().busy(), 5000);
    }
    fx.radio().clearReceived();

    click(*form, key.constData());
    click(*form, "key_f");
    if (unplug) {
        QTRY_COMPARE(fx.radio().rawReceived(), wire);
        fx.radio().unplug();
    } else {
        QTest::mouseClick(child<QPushButton>(form.get(), "Command2"), Qt::LeftButton);
        QVERIFY(!form->isRunning());
    }
    QTRY_VERIFY_WITH_TIMEOUT(!form->port().isOpen() && !form->sequencer().busy(), 5000);
    QTRY_COMPARE(fx.radio().rawReceived(), wire);
    QCOMPARE(form->rev_key_held, revHeld);
    QCOMPARE(child<KeyButton>(form.get(), "key_rev")->isHeld(), revHeld);
    QVERIFY(!form->f_key_held);
    QVERIFY(!child<KeyButton>(form.get(), "key_f")->isHeld());
}

void TestKeysForm::releaseOutsideSendsNothing_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("g3") << QByteArray("key_g3");
    QTest::newRow("lock") << QByteArray("key_lock");
    QTest::newRow("macro") << QByteArray("key_m1");
    QTest::newRow("hold bar") << QByteArray("key_hold_bar");
}

void TestKeysForm::releaseOutsideSendsNothing()
{
    QFETCH(QByteArray, key);
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    child<QLineEdit>(form.get(), "m1")->setText(QStringLiteral("1,P"));
    KeyButton *button = child<KeyButton>(form.get(), key.constData());
    QVERIFY(button);
    fx.radio().clearReceived();

    QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
    QVERIFY(button->looksPressed());
    const QPoint outside(button->width() + 20, button->height() + 20);
    QTest::mouseMove(button, outside);
    QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
    QVERIFY(!button->looksPressed());
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray());
}

void TestKeysForm::noPollInsideSequence()
{
    RadioFixture fx;
    auto form = openForm(fx, pollInterval);
    QVERIFY(form->isRunning());
    child<QLineEdit>(form.get(), "m1")->setText(QStringLiteral("1,P 2,P 3,P 4,P 5,P"));
    QTRY_VERIFY_WITH_TIMEOUT(lines(fx.radio()).count("STS") >= 3, 5000);

    const struct
    {
        const char *key;
        QList<QByteArray> sequence;
    } cases[] = {
        {"key_lock", {"KEY,F,H", "KEY,P,P", "KEY,F,R"}},
        {"key_m1", {"KEY,1,P", "KEY,2,P", "KEY,3,P", "KEY,4,P", "KEY,5,P"}},
    };
    for (const auto &c : cases) {
        fx.radio().clearReceived();
        click(*form, c.key);
        QTRY_VERIFY_WITH_TIMEOUT(!form->sequencer().busy(), 5000);
        // The poll goes on once the sequence has ended.
        QTRY_VERIFY_WITH_TIMEOUT(lines(fx.radio()).lastIndexOf("STS") >
                                     lines(fx.radio()).lastIndexOf(c.sequence.last()),
                                 5000);
        const QList<QByteArray> got = lines(fx.radio());
        const qsizetype first = got.indexOf(c.sequence.first());
        const qsizetype last = got.indexOf(c.sequence.last(), first);
        QVERIFY2(first >= 0 && last > first, c.key);
        QCOMPARE(got.mid(first, last - first + 1), c.sequence);
    }
}

void TestKeysForm::clickDuringSequenceFollowsIt()
{
    RadioFixture fx;
    auto form = openForm(fx, pollInterval);
    QVERIFY(form->isRunning());
    child<QLineEdit>(form.get(), "m2")->setText(QStringLiteral("7,P 8,P"));
    QTRY_VERIFY_WITH_TIMEOUT(lines(fx.radio()).count("STS") >= 2, 5000);
    fx.radio().clearReceived();

    click(*form, "key_lock");
    QTRY_VERIFY_WITH_TIMEOUT(receivedAt(fx.radio(), "KEY,F,H") >= 0, 5000);
    QVERIFY(form->sequencer().busy());
    click(*form, "key_g3");
    click(*form, "key_m2");
    click(*form, "key_hold");
    QTRY_VERIFY_WITH_TIMEOUT(receivedAt(fx.radio(), "KEY,H,P") >= 0, 5000);

    QList<QByteArray> got = lines(fx.radio());
    const qsizetype first = got.indexOf("KEY,F,H");
    got = got.mid(first, got.indexOf("KEY,H,P") - first + 1);
    const QList<QByteArray> expected = {"KEY,F,H", "KEY,P,P", "KEY,F,R", "KEY,F,H", "KEY,3,P",
                                        "KEY,F,R", "KEY,7,P", "KEY,8,P", "KEY,H,P"};
    QCOMPARE(got, expected);
}

void TestKeysForm::wheel_data()
{
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<QByteArray>("wire");
    using Ints = QList<int>;
    QTest::newRow("one notch up") << Ints{120} << QByteArray("KEY,>,P\r");
    QTest::newRow("one notch down") << Ints{-120} << QByteArray("KEY,<,P\r");
    QTest::newRow("four small steps up") << Ints{30, 30, 30, 30} << QByteArray("KEY,>,P\r");
    QTest::newRow("four small steps down") << Ints{-30, -30, -30, -30} << QByteArray("KEY,<,P\r");
    QTest::newRow("up then down") << Ints{120, -120} << QByteArray("KEY,>,P\rKEY,<,P\r");
    QTest::newRow("two notches at once") << Ints{240} << QByteArray("KEY,>,P\rKEY,>,P\r");
    QTest::newRow("half a notch") << Ints{60} << QByteArray();
}

void TestKeysForm::wheel()
{
    QFETCH(QList<int>, deltas);
    QFETCH(QByteArray, wire);
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    auto *screenText = child<QLabel>(form.get(), "Text1");
    const QPoint at = screenText->geometry().topLeft() + QPoint(5, 5);
    QCOMPARE(form->childAt(at), screenText);
    WheelCounter counter;
    screenText->installEventFilter(&counter);
    fx.radio().clearReceived();

    quint64 timestamp = 5000;
    for (int delta : deltas)
        rollWheel(form.get(), at, delta, timestamp += 16);
    QCOMPARE(counter.wheels, deltas.size());
    QCOMPARE(fx.wireUpToMarker(*form), wire);
}

void TestKeysForm::wheelWithPortClosedStillReachesWidget()
{
    RadioFixture fx;
    auto form = fx.makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(!form->port().isOpen());
    auto *screenText = child<QLabel>(form.get(), "Text1");
    const QPoint at = screenText->geometry().topLeft() + QPoint(5, 5);
    WheelCounter counter;
    screenText->installEventFilter(&counter);
    rollWheel(form.get(), at, 120, 100);
    rollWheel(form.get(), at, -120, 200);
    QCOMPARE(counter.wheels, 2);
    QVERIFY(!form->sequencer().busy());
    QVERIFY(form->isVisible());
}

// The tool tips that name the keyboard's shortcuts are made once the
// window's first paint is done.
void TestKeysForm::keysGetTheirToolTipsOnceShown()
{
    RadioFixture fx;
    auto form = fx.makeForm();
    auto *seven = child<KeyButton>(form.get(), "key_7");
    form->show();
    QTRY_COMPARE(seven->toolTip(), keyToolTip(QStringLiteral("key_7")));
    QVERIFY(child<QPushButton>(form.get(), "Command2")
                ->toolTip()
                .startsWith(QLatin1String("Keyboard: ")));
}

QTEST_MAIN(TestKeysForm)
#include "tst_keys_form.moc"
