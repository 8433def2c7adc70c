// The window's seven layouts, stepped by the two small buttons and restored
// at start-up; the title while minimised, always on top, and the logo's page.
#include "app/form1.h"
#include "app/layoutstepbutton.h"
#include "app/logowidget.h"

#include "link/twips.h"
#include "poll/widgets/signalmeter.h"
#include "window/layoutchoice.h"
#include "window/layouttable.h"
#include "window/widgets/windowstyle.h"
#include "window/windowtitle.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {

QPushButton *smallButton(QWidget *parent, const char *name, const QString &caption,
                         const QString &accessibleName, const QRect &at)
{
    auto *button = new LayoutStepButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessibleName);
    button->setToolTip(accessibleName);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(at);
    return button;
}

} // namespace

void Form1::buildLayoutControls()
{
    button_mini_plus_hold_win =
        smallButton(this, "button_mini_plus_hold_win", QStringLiteral("-"),
                    QStringLiteral("Smaller layout"), twipsToPixels(1830, 20, 195, 165));
    button_maxi_plus_hold_win =
        smallButton(this, "button_maxi_plus_hold_win", QStringLiteral("+"),
                    QStringLiteral("Larger layout"), twipsToPixels(2070, 20, 195, 165));
    // In the one-line strip the signal picture sits over the end of the line.
    floating_taskbar->stackUnder(sigpic);

    connect(button_mini_plus_hold_win, &QPushButton::clicked, this, &Form1::StepLayoutSmaller);
    connect(button_maxi_plus_hold_win, &QPushButton::clicked, this, &Form1::StepLayoutLarger);
    if (auto *logo = qobject_cast<LogoWidget *>(Picture1))
        connect(logo, &LogoWidget::clicked, this, &Form1::openProjectPage);
    buildControlHelp();
}

void Form1::StepLayoutSmaller()
{
    if (const auto transition = layoutTransition(display_mode, LayoutStep::Smaller))
        applyLayoutTransition(*transition);
}

void Form1::StepLayoutLarger()
{
    if (const auto transition = layoutTransition(display_mode, LayoutStep::Larger))
        applyLayoutTransition(*transition);
}

void Form1::applyLayoutTransition(const LayoutTransition &transition)
{
    // A grown or maximised full window keeps its size for its return.
    if (layoutCanGrow(transition.from))
        m_fullClientSize = fullLayoutSize();
    if (isMaximized())
        showNormal();
    if (m_style && transition.titlebar)
        m_style->setTitlebar(*transition.titlebar);
    if (m_style && transition.autoDrag)
        m_style->setAutoDrag(*transition.autoDrag);
    setOuterSizeTwips(transition.width, transition.height);
    for (const ElementMove &move : transition.moves) {
        // Elements are found by name; one this window lacks is passed over.
        auto *element = findChild<QWidget *>(move.element);
        if (!element)
            continue;
        element->move(move.left ? twipsToPixels(*move.left) : element->x(),
                      twipsToPixels(move.top));
    }
    if (transition.floatingTaskbarVisible)
        floating_taskbar->setVisible(*transition.floatingTaskbarVisible);
    display_mode = transition.to;
    if (layoutCanGrow(display_mode) && m_fullClientSize.isValid())
        resize(m_fullClientSize);
    fitLayoutSize();
}

void Form1::restoreLayout(int stored)
{
    const LayoutRestore restore = layoutRestore(stored);
    display_mode = restore.mode;
    if (restore.size)
        setOuterSizeTwips(restore.size->width(), restore.size->height());
    for (const LayoutStep step : restore.steps) {
        if (step == LayoutStep::Smaller)
            StepLayoutSmaller();
        else
            StepLayoutLarger();
    }
    fitLayoutSize();
}

// The layouts give the window's outer size; the window system adds its own
// frame to the client area, which is what Qt sizes.
void Form1::setOuterSizeTwips(int width, int height)
{
    const bool titlebar = !m_style || m_style->Titlebar();
    const QSize client = clientSizeTwips(QSize(width, height), titlebar);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(twipsToPixels(client.width()), twipsToPixels(client.height()));
}

void Form1::UpdateWindowTitle()
{
    const bool minimised = isMinimized();
    const QString title = windowTitleFor(minimised, floating_taskbar->text()) + m_alertTitleNote;
    if (windowTitle() == title)
        return;
    setWindowTitle(title);
    // Restored from the taskbar, a frameless layout stays frameless.
    if (!minimised && m_style && isFramelessLayout(display_mode)) {
        m_style->setTitlebar(false);
        m_style->setAutoDrag(true);
    }
}

void Form1::ApplyAlwaysOnTop()
{
    SetTopMost(this, AlwaysOnTopCheck->isChecked());
}

void Form1::openProjectPage()
{
    QDesktopServices::openUrl(QUrl(QString(projectWebPage)));
}
