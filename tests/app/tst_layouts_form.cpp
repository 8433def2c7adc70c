// The seven layouts on a real window: both ways through the table with the
// two small buttons, the restore of every stored number, the number stored
// at shutdown, the title while minimised, always on top, the tab strip's
// "Clear Log" rule and the logo's web page.
#include "support/radiofixture.h"

#include "link/twips.h"
#include "window/widgets/windowstyle.h"
#include "window/windowtitle.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

namespace {

// Each layout as it must look: outer size in twips, title bar, the three
// keys in the bottom row, the one-line strip.
struct Look
{
    const char *mode;
    int width;
    int height;
    bool titlebar;
    bool keysInBottomRow;
    bool strip;
};

const Look looks[] = {
    {"full", 11745, 8745, true, false, false},
    {"maxi", 11745, 3150, true, false, false},
    {"mini", 6870, 3150, true, true, false},
    {"display_and_hold", 4150, 3150, true, true, false},
    {"display_only", 4150, 2675, true, true, false},
    {"display_only_no_windows_junk", 4060, 2300, false, true, false},
    {"display_floating_taskbar", 4560, 250, false, true, true},
};

QPoint at(int left, int top)
{
    return QPoint(twipsToPixels(left), twipsToPixels(top));
}

QPoint placeOf(Form1 *form, const char *name)
{
    return child<QWidget>(form, name)->pos();
}

void checkLook(Form1 *form, const Look &look, bool checkKeys)
{
    QCOMPARE(form->display_mode, QLatin1String(look.mode));
    // A window with a title bar has the design frame of 120 by 375 twips
    // around its client area.
    const int frameWidth = look.titlebar ? 120 : 0;
    const int frameHeight = look.titlebar ? 375 : 0;
    QCOMPARE(form->size(), QSize(twipsToPixels(look.width - frameWidth),
                                 twipsToPixels(look.height - frameHeight)));
    QCOMPARE(form->windowStyle()->Titlebar(), look.titlebar);
    QCOMPARE(form->windowStyle()->AutoDrag(), !look.titlebar);
    QCOMPARE(!child<QLabel>(form, "floating_taskbar")->isHidden(), look.strip);
    QCOMPARE(placeOf(form, "button_mini_plus_hold_win"), look.strip ? at(3930, 50) : at(1830, 20));
    QCOMPARE(placeOf(form, "button_maxi_plus_hold_win"), look.strip ? at(4170, 50) : at(2070, 20));
    QCOMPARE(placeOf(form, "Picture2"), look.strip ? at(120, 5000) : at(120, 180));
    QCOMPARE(placeOf(form, "key_hold"), look.strip ? at(4095, 5000) : at(4095, 225));
    QCOMPARE(placeOf(form, "sigpic"), look.strip ? at(3540, 40) : at(3540, 360));
    if (!checkKeys)
        return;
    const bool low = look.keysInBottomRow;
    QCOMPARE(placeOf(form, "key_f"), low ? at(4755, 2025) : at(6840, 225));
    QCOMPARE(placeOf(form, "key_menu"), low ? at(5430, 2025) : at(7485, 225));
    QCOMPARE(placeOf(form, "key_right"), low ? at(6090, 2025) : at(8775, 225));
}

// Right-clicks the window at the point and returns the menu that opens.
QMenu *openMenuAt(Form1 *form, QPoint at)
{
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, form->mapToGlobal(at));
    QCoreApplication::sendEvent(form, &click);
    return form->findChild<QMenu *>(QStringLiteral("screen_menu"));
}

QByteArray pgmSettingsWithLayout(const QByteArray &line7)
{
    return "0\r\n0\r\n0\r\n0\r\n37\r\n37\r\n" + line7 + "\r\n";
}

} // namespace

// Takes the pages the program asks the desktop to open.
class PageCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

class TestLayoutsForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void smallButtonsWalkTheTable_data()
    {
        QTest::addColumn<int>("smaller");
        QTest::addColumn<int>("larger");
        QTest::addColumn<int>("look");
        for (int k = 0; k <= 7; ++k)
            QTest::addRow("%d smaller", k) << k << 0 << qMin(k, 6);
        for (int k = 1; k <= 7; ++k)
            QTest::addRow("6 smaller, %d larger", k) << 6 << k << qMax(6 - k, 0);
    }
    void smallButtonsWalkTheTable()
    {
        QFETCH(int, smaller);
        QFETCH(int, larger);
        QFETCH(int, look);
        RadioFixture f;
        auto form = f.makeForm();
        for (int i = 0; i < smaller; ++i)
            child<QPushButton>(form.get(), "button_mini_plus_hold_win")->click();
        for (int i = 0; i < larger; ++i)
            child<QPushButton>(form.get(), "button_maxi_plus_hold_win")->click();
        checkLook(form.get(), looks[look], true);
    }

    // The two small buttons are drawn in code: a "-" and a "+" in dark ink
    // on a light plate, the plate darker while pressed.
    void smallButtonsShowTheirCaptions()
    {
        RadioFixture f;
        auto form = f.makeForm();
        auto *minus = child<QPushButton>(form.get(), "button_mini_plus_hold_win");
        auto *plus = child<QPushButton>(form.get(), "button_maxi_plus_hold_win");
        const auto ink = [](QPushButton *button) {
            const QImage image = button->grab().toImage();
            QRect box;
            for (int y = 1; y < image.height() - 1; ++y)
                for (int x = 1; x < image.width() - 1; ++x)
                    if (qGray(image.pixel(x, y)) < 100)
                        box |= QRect(x, y, 1, 1);
            return box;
        };
        const QRect bar = ink(minus);
        const QRect cross = ink(plus);
        QVERIFY(bar.width() >= 3 && bar.height() <= 2);
        QVERIFY(cross.width() >= 3 && cross.height() >= 3);
        QVERIFY(qAbs(cross.center().x() - plus->width() / 2) <= 1);
        const QPoint middle(minus->width() / 2, 2);
        const int plate = qGray(minus->grab().toImage().pixel(middle));
        minus->setDown(true);
        QVERIFY(qGray(minus->grab().toImage().pixel(middle)) < plate - 20);
    }

    void storedLayoutComesBackAndIsStoredAgain_data()
    {
        QTest::addColumn<QByteArray>("line7");
        QTest::addColumn<int>("look");
        QTest::newRow("empty") << QByteArray() << 0;
        for (int n = 0; n <= 8; ++n)
            QTest::addRow("%d", n) << QByteArray::number(n) << (n >= 2 && n <= 7 ? n - 1 : 0);
    }
    void storedLayoutComesBackAndIsStoredAgain()
    {
        QFETCH(QByteArray, line7);
        QFETCH(int, look);
        RadioFixture f;
        f.writeFile(QStringLiteral("pgm_settings.txt"), pgmSettingsWithLayout(line7));
        auto form = f.makeForm();
        // Restoring steps from a named layout without moving the keys.
        checkLook(form.get(), looks[look], false);
        form->close();
        QCOMPARE(f.readFile(QStringLiteral("pgm_settings.txt")).split('\n').value(6),
                 QByteArray::number(look + 1) + '\r');
    }

    void ctrlMinusAndPlusStep()
    {
        RadioFixture f;
        auto form = f.makeForm();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(form.get(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(form->display_mode, QLatin1String(looks[3].mode));
        QTest::keyClick(form.get(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(form->display_mode, QLatin1String(looks[2].mode));
        QTest::keyClick(form.get(), Qt::Key_Equal, Qt::ControlModifier);
        checkLook(form.get(), looks[1], true);
        // F1 lists every key.
        QTest::keyClick(form.get(), Qt::Key_F1);
        auto *help = form->findChild<QDialog *>(QStringLiteral("key_help"));
        QVERIFY(help && help->isVisible());
        QVERIFY(help->findChild<QTableWidget *>()
                    ->findItems(QStringLiteral("Ctrl+-"), Qt::MatchContains)
                    .size() == 1);
    }

    void screenMenuChoosesLayout_data()
    {
        QTest::addColumn<int>("look");
        for (int look = 0; look < 7; ++look)
            QTest::newRow(looks[look].mode) << look;
    }
    void screenMenuChoosesLayout()
    {
        QFETCH(int, look);
        RadioFixture f;
        auto form = f.makeForm();
        form->show();
        QMenu *menu =
            openMenuAt(form.get(), child<QWidget>(form.get(), "Text1")->geometry().center());
        QVERIFY(menu);
        const QList<QAction *> actions = menu->actions();
        QStringList captions;
        for (QAction *action : actions)
            if (!action->isSeparator())
                captions.append(action->text());
        QCOMPARE(captions.size(), 7 + 2);
        QCOMPARE(captions.mid(7), QStringList({"Always On Top", "Close"}));
        QVERIFY(actions.first()->isChecked());
        actions.at(look)->trigger();
        checkLook(form.get(), looks[look], true);
        menu->close();
        // Frameless or not, the menu is still there; Always On Top is the check box's.
        QTRY_VERIFY(!form->findChild<QMenu *>(QStringLiteral("screen_menu")));
        const QPoint screen = looks[look].strip ? QPoint(5, 5) : QPoint(60, 60);
        menu = openMenuAt(form.get(), screen);
        QVERIFY(menu);
        QVERIFY(menu->actions().at(look)->isChecked());
        menu->actions().at(8)->trigger();
        QVERIFY(child<QCheckBox>(form.get(), "AlwaysOnTopCheck")->isChecked());
    }

    void fullLayoutGrowsAndKeepsItsSize()
    {
        RadioFixture f;
        auto form = f.makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto *tabs = child<QTabWidget>(form.get(), "SSTab1");
        auto *table = child<QTableView>(form.get(), "grdInfo");
        const QSize design = form->size();
        const QRect tabsBefore = tabs->geometry();
        const QSize tableBefore = table->size();
        const QPoint screenBefore = placeOf(form.get(), "Picture2");
        const QPoint keyBefore = placeOf(form.get(), "key_g5");
        const QSize grown = design + QSize(300, 200);
        form->resize(grown);
        QTRY_COMPARE(form->size(), grown);
        QCOMPARE(tabs->geometry(), tabsBefore.adjusted(0, 0, 300, 200));
        QCOMPARE(table->size(), tableBefore + QSize(300, 200));
        QCOMPARE(placeOf(form.get(), "Picture2"), screenBefore);
        QCOMPARE(placeOf(form.get(), "key_g5"), keyBefore);
        // The smaller layouts do not grow; back in the full one, its size returns.
        form->StepLayoutSmaller();
        QCOMPARE(form->minimumSize(), form->maximumSize());
        form->StepLayoutLarger();
        QCOMPARE(form->size(), grown);
        QVERIFY(form->minimumSize() == design);
        form->close();

        auto again = f.makeForm();
        QCOMPARE(again->size(), grown);
        QCOMPARE(child<QTabWidget>(again.get(), "SSTab1")->size(),
                 tabsBefore.size() + QSize(300, 200));
    }

    void titleFollowsTheRadioWhileMinimised()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 100));
        f.writeFile(QStringLiteral("pgm_settings.txt"), pgmSettingsWithLayout("6"));
        auto form = f.makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->showMinimized();
        // A new radio holds on its first channel.
        QTRY_VERIFY_WITH_TIMEOUT(form->windowTitle().contains(QStringLiteral("SO Dispatch")),
                                 20000);
        QCOMPARE(form->windowTitle(), QStringLiteral("Marion County/SO Dispatch     "));
        // A window manager that gave the window its frame back while it was
        // minimised loses it again on the restore.
        form->windowStyle()->setTitlebar(true);
        form->showNormal();
        QTRY_COMPARE_WITH_TIMEOUT(form->windowTitle(), QStringLiteral("Tollvane"), 20000);
        QVERIFY(!form->windowStyle()->Titlebar());
        QVERIFY(form->windowStyle()->AutoDrag());
    }

    void alwaysOnTopKeepsThePlace()
    {
        RadioFixture f;
        auto form = f.makeForm();
        form->move(140, 90);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QRect before = form->geometry();
        auto *check = child<QCheckBox>(form.get(), "AlwaysOnTopCheck");
        for (const bool on : {true, false}) {
            check->click();
            QCOMPARE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
            QVERIFY(form->isVisible());
            QCOMPARE(form->geometry(), before);
        }
    }

    void clearLogShowsOnlyWithTheLogTab()
    {
        RadioFixture f;
        auto form = f.makeForm();
        auto *tabs = child<QTabWidget>(form.get(), "SSTab1");
        for (const int tab : {0, 2, 1, 0, 3}) {
            tabs->setCurrentIndex(tab);
            QCOMPARE(!child<QPushButton>(form.get(), "key_clear_log")->isHidden(), tab == 0);
        }
    }

    void logoOpensTheProjectPage()
    {
        RadioFixture f;
        PageCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        auto form = f.makeForm();
        QTest::mouseClick(child<QWidget>(form.get(), "Picture1"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl(QString(projectWebPage))});
        QVERIFY(catcher.urls.first().isValid());
    }
};

QTEST_MAIN(TestLayoutsForm)
#include "tst_layouts_form.moc"
