// The seven layouts on a real window: both ways through the table with the
// two small buttons, the restore of every stored number, the number stored
// at shutdown, the title while minimised, always on top, the tab strip's
// "Clear Log" rule and the logo's web page.
#include "support/radiofixture.h"

#include "link/twips.h"
#include "window/widgets/windowstyle.h"
#include "window/windowtitle.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
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
