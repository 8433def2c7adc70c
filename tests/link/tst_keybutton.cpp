#include "link/keyoperations.h"
#include "link/keypadlayout.h"
#include "link/widgets/keybutton.h"
#include "link/widgets/keypad.h"
#include "link/widgets/keyprint.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

class TestKeyButton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pressShowsPressedLook();
    void releaseInsideClicksOnce();
    void releaseOutsideSendsNoClick();
    void heldKeysShowHeldState_data();
    void heldKeysShowHeldState();
    void pressedLookIsDrawnDifferently();
    void keepsSharpWhenScaled();
    void printIsTheLargestThatFits_data();
    void printIsTheLargestThatFits();
    void printsOfOneSizeShareTheirFont();
    void keypadCreatesEveryKey();
    void keypadKeysClick_data();
    void keypadKeysClick();
};

void TestKeyButton::pressShowsPressedLook()
{
    KeyButton key(QStringLiteral("HOLD"));
    key.resize(38, 23);
    key.show();
    QVERIFY(QTest::qWaitForWindowExposed(&key));
    QVERIFY(!key.looksPressed());
    QTest::mousePress(&key, Qt::LeftButton, {}, QPoint(19, 11));
    QVERIFY(key.looksPressed());
    QTest::mouseRelease(&key, Qt::LeftButton, {}, QPoint(19, 11));
    QVERIFY(!key.looksPressed());
}

void TestKeyButton::releaseInsideClicksOnce()
{
    KeyButton key(QStringLiteral("1"));
    key.resize(38, 23);
    key.show();
    QVERIFY(QTest::qWaitForWindowExposed(&key));
    QSignalSpy clicked(&key, &QAbstractButton::clicked);
    QTest::mousePress(&key, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicked.count(), 0);
    QTest::mouseRelease(&key, Qt::LeftButton, {}, QPoint(30, 15));
    QCOMPARE(clicked.count(), 1);
}

void TestKeyButton::releaseOutsideSendsNoClick()
{
    QWidget window;
    window.resize(200, 100);
    auto *key = new KeyButton(QStringLiteral("SCAN"), &window);
    key->setGeometry(10, 10, 38, 23);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(key, &QAbstractButton::clicked);
    QTest::mousePress(key, Qt::LeftButton, {}, QPoint(19, 11));
    QVERIFY(key->looksPressed());
    QTest::mouseMove(key, QPoint(150, 60));
    QTest::mouseRelease(key, Qt::LeftButton, {}, QPoint(150, 60));
    QVERIFY(!key->looksPressed());
    QCOMPARE(clicked.count(), 0);
}

void TestKeyButton::heldKeysShowHeldState_data()
{
    QTest::addColumn<bool>("held");
    QTest::newRow("released") << false;
    QTest::newRow("held") << true;
}

void TestKeyButton::heldKeysShowHeldState()
{
    QFETCH(bool, held);
    KeyButton key(QStringLiteral("FUNC"));
    key.setShowsHeldState(true);
    key.setHeld(held);
    key.resize(38, 23);
    key.show();
    QVERIFY(QTest::qWaitForWindowExposed(&key));
    QSignalSpy clicked(&key, &QAbstractButton::clicked);
    QCOMPARE(key.looksPressed(), held);
    // The mouse does not change its look; the click still comes.
    QTest::mousePress(&key, Qt::LeftButton, {}, QPoint(19, 11));
    QCOMPARE(key.looksPressed(), held);
    QTest::mouseRelease(&key, Qt::LeftButton, {}, QPoint(19, 11));
    QCOMPARE(key.looksPressed(), held);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(key.isHeld(), held);
    key.setHeld(!held);
    QCOMPARE(key.looksPressed(), !held);
}

void TestKeyButton::pressedLookIsDrawnDifferently()
{
    KeyButton key(QStringLiteral("REV"));
    key.setShowsHeldState(true);
    key.resize(38, 23);
    const QImage normal = key.grab().toImage();
    key.setHeld(true);
    const QImage pressed = key.grab().toImage();
    QCOMPARE(normal.size(), pressed.size());
    QVERIFY(normal != pressed);
    // Pressed is darker overall.
    auto brightness = [](const QImage &image) {
        qint64 sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += qGray(image.pixel(x, y));
        return sum;
    };
    QVERIFY(brightness(pressed) < brightness(normal));
}

void TestKeyButton::keepsSharpWhenScaled()
{
    // Drawn in code at the widget's own size: a big key is fully painted,
    // not a stretched small picture.
    KeyButton key(QStringLiteral("MENU"));
    key.resize(380, 230);
    const QImage image = key.grab().toImage();
    QCOMPARE(image.size(), QSize(380, 230));
    const QColor centreLeft = image.pixelColor(40, 115);
    QVERIFY(centreLeft.alpha() > 0);
    QVERIFY(qGray(centreLeft.rgb()) < 128); // dark grey rubber
}

void TestKeyButton::printIsTheLargestThatFits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("height");
    QTest::addColumn<qreal>("width");
    QTest::addColumn<qreal>("spacing");
    QTest::addColumn<Qt::Alignment>("alignment");
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    QTest::newRow("short: as high as asked") << "1" << 12.0 << 30.0 << 0.0 << centre;
    QTest::newRow("long: as wide as room") << "CC Only" << 12.0 << 30.0 << 0.0 << centre;
    QTest::newRow("spaced letters") << "TOLLVANE" << 14.0 << 70.0 << 1.5 << left;
    QTest::newRow("no room: the smallest") << "LIGHT" << 12.0 << 3.0 << 0.0 << centre;
}

void TestKeyButton::printIsTheLargestThatFits()
{
    QFETCH(QString, text);
    QFETCH(qreal, height);
    QFETCH(qreal, width);
    QFETCH(qreal, spacing);
    QFETCH(Qt::Alignment, alignment);
    const QFont font;
    const KeyPrint print = layOutKeyPrint(font, text, height, width, spacing);
    QVERIFY(print.pixelSize >= 4 && print.pixelSize <= qRound(height));
    if (print.pixelSize > 4)
        QVERIFY(print.width <= width);
    if (print.pixelSize < qRound(height))
        QVERIFY(layOutKeyPrint(font, text, print.pixelSize + 1, 1e6, spacing).width > width);

    // Drawn where drawText puts one line: the ink's middle on the box's
    // middle (or its start at the box's left), top to bottom as well.
    const QRect box(10, 5, 80, 30);
    QImage image(100, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    drawKeyPrint(painter, box, print, alignment);
    painter.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    if (alignment & Qt::AlignLeft)
        QVERIFY(qAbs(ink.left() - box.left()) <= 2);
    else
        QVERIFY2(qAbs(ink.center().x() - box.center().x()) <= 2, qPrintable(text));
    QVERIFY(box.contains(ink));
    QVERIFY(qAbs(ink.center().y() - box.center().y()) <= print.pixelSize / 3 + 1);
}

void TestKeyButton::printsOfOneSizeShareTheirFont()
{
    KeyFonts fonts;
    QFont font;
    const KeyPrint scan = layOutKeyPrint(fonts, font, QStringLiteral("SCAN"), 12, 1e6);
    const KeyPrint hold = layOutKeyPrint(fonts, font, QStringLiteral("HOLD"), 12, 1e6);
    const KeyPrint small = layOutKeyPrint(fonts, font, QStringLiteral("HOLD"), 9, 1e6);
    QVERIFY(scan.glyphs.rawFont() == hold.glyphs.rawFont());
    QVERIFY(small.glyphs.rawFont() != hold.glyphs.rawFont());
    QCOMPARE(small.glyphs.rawFont().pixelSize(), 9.0);
    QVERIFY(hold.glyphs.rawFont().weight() >= QFont::Bold);
    // Another key font is not answered with the first one's faces.
    font.setItalic(true);
    const KeyPrint italic = layOutKeyPrint(fonts, font, QStringLiteral("HOLD"), 12, 1e6);
    QVERIFY(italic.glyphs.rawFont().style() != QFont::StyleNormal);
}

void TestKeyButton::keypadCreatesEveryKey()
{
    QWidget panel;
    const QHash<QString, KeyButton *> keys = createKeypad(&panel);
    QCOMPARE(keys.size(), drawnKeyNames().size());
    const QStringList names = drawnKeyNames();
    for (const QString &name : names) {
        KeyButton *key = keys.value(name);
        QVERIFY2(key, qPrintable(name));
        QCOMPARE(key->objectName(), name);
        QCOMPARE(key->parentWidget(), &panel);
        QCOMPARE(key->geometry(), pixelRect(keyPlacement(name)));
        QCOMPARE(key->text(), keyPlacement(name).label);
        QCOMPARE(key->showsHeldState(), isToggleKey(name));
        QCOMPARE(key->focusPolicy(), Qt::NoFocus);
    }
    QCOMPARE(keys.value(QStringLiteral("key_hold"))->geometry(), QRect(273, 15, 38, 23));
    QCOMPARE(keys.value(QStringLiteral("key_lo"))->geometry(), QRect(274, 75, 38, 23));
    QCOMPARE(keys.value(QStringLiteral("key_hold_bar"))->geometry(), QRect(17, 156, 238, 23));
    QCOMPARE(keys.value(QStringLiteral("key_left"))->arrow(), Qt::LeftArrow);
    QCOMPARE(keys.value(QStringLiteral("key_right"))->arrow(), Qt::RightArrow);
    QCOMPARE(keys.value(QStringLiteral("key_1"))->subLabel(), QStringLiteral("PRI"));
    QCOMPARE(panel.findChild<KeyButton *>(QStringLiteral("key_cconly"))->text(),
             QStringLiteral("CC Only"));
}

void TestKeyButton::keypadKeysClick_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("g3") << "key_g3";
    QTest::newRow("hold bar") << "key_hold_bar";
    QTest::newRow("lock") << "key_lock";
    QTest::newRow("m2") << "key_m2";
}

void TestKeyButton::keypadKeysClick()
{
    QFETCH(QString, name);
    QWidget panel;
    panel.resize(775, 190);
    const QHash<QString, KeyButton *> keys = createKeypad(&panel);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    KeyButton *key = keys.value(name);
    QSignalSpy clicked(key, &QAbstractButton::clicked);
    QTest::mouseClick(key, Qt::LeftButton, {}, key->rect().center());
    QCOMPARE(clicked.count(), 1);
    QVERIFY(!key->looksPressed());
}

QTEST_MAIN(TestKeyButton)
#include "tst_keybutton.moc"
