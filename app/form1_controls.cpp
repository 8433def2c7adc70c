// Finding the controls: the keys' shortcuts in their tool tips and in a
// list of their own, the screen's menu of layouts, and the full layout
// growing with its window.
#include "app/form1.h"
#include "app/settingsfiles.h"

#include "link/keyhelp.h"
#include "link/twips.h"
#include "link/widgets/keybutton.h"
#include "link/widgets/keyhelpdialog.h"
#include "log/widgets/hitlogview.h"
#include "poll/widgets/lcdframe.h"
#include "window/layoutchoice.h"
#include "window/layouttable.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>

namespace {

const QString windowSizeName = QStringLiteral("/window_size.txt");

// The full layout's client area at its design size.
QSize designClientSize()
{
    return QSize(twipsToPixels(11625), twipsToPixels(8370));
}

} // namespace

void Form1::setKeyToolTips()
{
    const QHash<QString, QString> tips = keyToolTips(m_keys.keys());
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it)
        it.value()->setToolTip(tips.value(it.key()));
    Command2->setToolTip(QStringLiteral("Keyboard: ") +
                         keyboardShortcuts(QStringLiteral("RunStop")).join(QStringLiteral(" or ")));
}

void Form1::buildControlHelp()
{
    for (const WindowKey &key : windowKeys()) {
        for (const QString &sequence : key.sequences) {
            auto *shortcut = new QShortcut(QKeySequence(sequence), this);
            connect(shortcut, &QShortcut::activated, this, [this, action = key.action] {
                if (action == WindowKey::KeyHelp)
                    showKeyHelp();
                else if (action == WindowKey::LayoutSmaller)
                    StepLayoutSmaller();
                else
                    StepLayoutLarger();
            });
        }
        QPushButton *button = key.action == WindowKey::LayoutSmaller  ? button_mini_plus_hold_win
                              : key.action == WindowKey::LayoutLarger ? button_maxi_plus_hold_win
                                                                      : nullptr;
        if (button)
            button->setToolTip(button->toolTip() + QStringLiteral(" (") +
                               key.sequences.join(QStringLiteral(" or ")) + QLatin1Char(')'));
    }

    // On the Settings tab, beside "Save Macros".
    key_help = new QPushButton(QStringLiteral("Keys"), SaveMacrosButton->parentWidget());
    key_help->setObjectName(QStringLiteral("key_help_button"));
    key_help->setGeometry(388, 174, 110, 26);
    key_help->setToolTip(QStringLiteral("The keyboard's shortcuts (F1)"));
    connect(key_help, &QPushButton::clicked, this, &Form1::showKeyHelp);

    // What a macro looks like: what follows "KEY," in each key command,
    // one space between items.
    for (QLineEdit *box : {m1, m2, m3}) {
        box->setPlaceholderText(QStringLiteral("e.g. F,H 1,P F,R"));
        box->setToolTip(QStringLiteral("Key items one space apart, each a key and P (press), "
                                       "H (hold) or R (release): F,H 1,P F,R"));
    }
}

void Form1::showKeyHelp()
{
    if (!m_keyHelp)
        m_keyHelp = new KeyHelpDialog(this);
    m_keyHelp->show();
    m_keyHelp->raise();
    m_keyHelp->activateWindow();
}

void Form1::chooseLayout(const QString &mode)
{
    for (const LayoutStep step : layoutStepsBetween(display_mode, mode)) {
        if (step == LayoutStep::Smaller)
            StepLayoutSmaller();
        else
            StepLayoutLarger();
    }
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    // The radio's screen, the one-line strip, or anywhere in a window with
    // no title bar: the only way there to change it without the keyboard.
    const QPoint at = event->pos();
    const bool onScreen =
        Picture2->geometry().contains(at) ||
        (floating_taskbar->isVisible() && floating_taskbar->geometry().contains(at)) ||
        isFramelessLayout(display_mode);
    if (!onScreen) {
        QWidget::contextMenuEvent(event);
        return;
    }
    showScreenMenu(event->globalPos());
}

void Form1::showScreenMenu(const QPoint &globalPos)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("screen_menu"));
    menu->setAccessibleName(QStringLiteral("Layout"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto *layouts = new QActionGroup(menu);
    for (const QString &mode : layoutNames()) {
        QAction *choice = menu->addAction(layoutCaption(mode));
        choice->setCheckable(true);
        choice->setChecked(mode == display_mode);
        layouts->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, mode] { chooseLayout(mode); });
    }
    menu->addSeparator();
    QAction *top = menu->addAction(QStringLiteral("Always On Top"));
    top->setCheckable(true);
    top->setChecked(AlwaysOnTopCheck->isChecked());
    // The check box itself, so the two never disagree and it is saved.
    connect(top, &QAction::triggered, AlwaysOnTopCheck, &QCheckBox::click);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Close"), this, &QWidget::close);
    menu->popup(globalPos);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOutGrownParts();
}

void Form1::fitLayoutSize()
{
    if (layoutCanGrow(display_mode)) {
        setMinimumSize(designClientSize());
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(size());
    }
    layOutGrownParts();
}

void Form1::layOutGrownParts()
{
    // Resizes come before the window's parts exist.
    if (!SSTab1 || !grdInfo || !logbox || !key_clear_log || !Picture1)
        return;
    const QSize extra = layoutCanGrow(display_mode) ? size() - designClientSize() : QSize(0, 0);
    const GrownFullLayout grown = grownFullLayout(extra);
    SSTab1->setGeometry(grown.tabs);
    grdInfo->setGeometry(grown.logTable);
    logbox->setGeometry(grown.logBox);
    key_clear_log->setGeometry(grown.clearLog);
    Picture1->setGeometry(grown.logo);
    // A wider table gives its last column the room.
    grdInfo->horizontalHeader()->setStretchLastSection(extra.width() > 0);
}

QSize Form1::fullLayoutSize() const
{
    if (layoutCanGrow(display_mode))
        return isMaximized() ? normalGeometry().size() : size();
    return m_fullClientSize.isValid() ? m_fullClientSize : designClientSize();
}

void Form1::restoreWindowSize()
{
    const QString path = m_options.dataFolder + windowSizeName;
    const auto file = FileExists(path) ? readSettingsFile(path) : std::nullopt;
    const auto saved = file ? readWindowSize(*file) : std::nullopt;
    if (saved) {
        m_fullClientSize =
            QSize(twipsToPixels(saved->twips.width()), twipsToPixels(saved->twips.height()))
                .expandedTo(designClientSize());
        if (layoutCanGrow(display_mode)) {
            resize(m_fullClientSize);
            if (saved->maximised)
                setWindowState(windowState() | Qt::WindowMaximized);
        }
    }
    fitLayoutSize();
}

void Form1::saveWindowSize()
{
    const QSize size = fullLayoutSize();
    const bool maximised = layoutCanGrow(display_mode) && isMaximized();
    const QString path = m_options.dataFolder + windowSizeName;
    // A window never grown leaves no file behind.
    if (size == designClientSize() && !maximised && !FileExists(path))
        return;
    saveSettingsFile(path, writeWindowSize({size * twipsPerPixel, maximised}));
}
