// The window style object on a plain window: each frame feature switched
// off and on again without moving or resizing the window, dragging by the
// client area, and the window menu. The application style's group box
// frame against Fusion's own.
#include "window/widgets/groupboxframestyle.h"
#include "window/widgets/windowstyle.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTest>

namespace {

struct Feature
{
    const char *name;
    void (clsStyle::*set)(bool);
    bool (clsStyle::*get)() const;
    bool atStart; // a window starts framed, with its buttons, resizable
};

const Feature features[] = {
    {"ControlBox", &clsStyle::setControlBox, &clsStyle::ControlBox, true},
    {"MaxButton", &clsStyle::setMaxButton, &clsStyle::MaxButton, true},
    {"MinButton", &clsStyle::setMinButton, &clsStyle::MinButton, true},
    {"Sizable", &clsStyle::setSizable, &clsStyle::Sizable, true},
    {"Titlebar", &clsStyle::setTitlebar, &clsStyle::Titlebar, true},
    {"ToolWindow", &clsStyle::setToolWindow, &clsStyle::ToolWindow, false},
    {"TopMost", &clsStyle::setTopMost, &clsStyle::TopMost, false},
    {"WhatsThisButton", &clsStyle::setWhatsThisButton, &clsStyle::WhatsThisButton, false},
};

} // namespace

class TestWindowStyle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->setGeometry(120, 80, 300, 200);
        m_button = new QPushButton(QStringLiteral("Key"), m_window.get());
        m_button->setGeometry(10, 10, 60, 24);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_style.setClient(m_window.get());
    }
    void cleanup()
    {
        m_style.setClient(nullptr);
        m_window.reset();
    }

    // Runs before any group box is painted by Fusion itself, which would
    // load the image format plugins.
    void groupBoxFrameLoadsNoImagePlugin()
    {
        GroupBoxFrameStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        QGroupBox box(QStringLiteral("Port Settings"));
        box.setStyle(&style);
        box.resize(160, 80);
        box.grab();
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("/imageformats/"));
    }

    void groupBoxFrameLooksAsFusionDrawsIt_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkable");
        QTest::newRow("titled") << "Log Settings" << false;
        QTest::newRow("untitled") << QString() << false;
        QTest::newRow("checkable, untitled") << QString() << true;
    }
    void groupBoxFrameLooksAsFusionDrawsIt()
    {
        QFETCH(QString, title);
        QFETCH(bool, checkable);
        GroupBoxFrameStyle ours(QStyleFactory::create(QStringLiteral("Fusion")));
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        QGroupBox box(title);
        box.setCheckable(checkable);
        box.resize(170, 90);
        box.setStyle(&ours);
        const QImage drawn = box.grab().toImage();
        box.setStyle(fusion.get());
        QCOMPARE(drawn, box.grab().toImage());
    }

    void featureOffAndOnKeepsThePlace_data()
    {
        QTest::addColumn<int>("feature");
        for (int i = 0; i < 8; ++i)
            QTest::newRow(features[i].name) << i;
    }
    void featureOffAndOnKeepsThePlace()
    {
        QFETCH(int, feature);
        const Feature f = features[feature];
        // Qt keeps the window menu while a minimise or maximise button is
        // there, as the window system does.
        if (f.set == &clsStyle::setControlBox) {
            m_style.setMinButton(false);
            m_style.setMaxButton(false);
        }
        const QRect before = m_window->geometry();
        QCOMPARE((m_style.*f.get)(), f.atStart);
        for (const bool value : {!f.atStart, f.atStart}) {
            (m_style.*f.set)(value);
            QCOMPARE((m_style.*f.get)(), value);
            QVERIFY(m_window->isVisible());
            QCOMPARE(m_window->geometry(), before);
        }
    }

    void leftPressDragsOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("autoDrag");
        QTest::addColumn<bool>("onButton");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("moves");
        QTest::newRow("off") << false << false << int(Qt::LeftButton) << 0;
        QTest::newRow("on") << true << false << int(Qt::LeftButton) << 1;
        QTest::newRow("on, right button") << true << false << int(Qt::RightButton) << 0;
        QTest::newRow("on, a push button takes it") << true << true << int(Qt::LeftButton) << 0;
    }
    void leftPressDragsOnlyWhenAsked()
    {
        QFETCH(bool, autoDrag);
        QFETCH(bool, onButton);
        QFETCH(int, button);
        QFETCH(int, moves);
        m_style.setAutoDrag(autoDrag);
        QSignalSpy spy(&m_style, &clsStyle::systemMoveRequested);
        QWidget *target = onButton ? static_cast<QWidget *>(m_button) : m_window.get();
        const QPoint at = onButton ? QPoint(5, 5) : QPoint(20, 150);
        QTest::mousePress(target, Qt::MouseButton(button), {}, at);
        QTest::mouseRelease(target, Qt::MouseButton(button), {}, at);
        QCOMPARE(spy.count(), moves);
        QCOMPARE(m_window->geometry().topLeft(), QPoint(120, 80));
    }

    void rightReleaseOpensTheWindowMenu()
    {
        QTest::mouseClick(m_window.get(), Qt::RightButton, {}, QPoint(50, 150));
        QVERIFY(!qobject_cast<QMenu *>(QApplication::activePopupWidget()));

        m_style.setAutoSysMenu(true);
        QTest::mouseClick(m_window.get(), Qt::RightButton, {}, QPoint(50, 150));
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QStringList captions;
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                captions << action->text() + (action->isEnabled() ? "" : " (off)");
        }
        QCOMPARE(captions,
                 QStringList({"Restore (off)", "Minimize", "Maximize", "Always on top", "Close"}));
        menu->actions().at(3)->trigger();
        QVERIFY(m_style.TopMost());
        QCOMPARE(m_window->geometry().topLeft(), QPoint(120, 80));
        menu->close();
    }

private:
    std::unique_ptr<QWidget> m_window;
    QPushButton *m_button = nullptr;
    clsStyle m_style;
};

QTEST_MAIN(TestWindowStyle)
#include "tst_windowstyle.moc"
