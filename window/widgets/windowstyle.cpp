#include "window/widgets/windowstyle.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

namespace {

struct Placement
{
    QPoint at;
    QSize size;
    bool shown = false;
};

// The client area's place: the frame's is not known again until the window
// system has framed the re-created window.
Placement placementOf(const QWidget *window)
{
    return {window->geometry().topLeft(), window->size(), window->isVisible()};
}

// New flags hide a shown window; it comes back where it was. Placed by its
// client area, the window never holds a frame position that reads back
// (pos(), x()) with the old frame taken off a second time.
void showAgain(QWidget *window, const Placement &place)
{
    if (QWindow *handle = window->windowHandle())
        handle->setFlags(window->windowFlags());
    if (window->size() != place.size)
        window->resize(place.size);
    if (place.shown && !window->isVisible()) {
        window->setGeometry(QRect(place.at, window->size()));
        window->show();
    }
    window->update();
}

} // namespace

void SetTopMost(QWidget *window, bool on)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const Placement place = placementOf(window);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    showAgain(window, place);
}

clsStyle::clsStyle(QObject *parent) : QObject(parent) {}

void clsStyle::setClient(QWidget *client)
{
    if (mClient)
        mClient->removeEventFilter(this);
    mClient = client;
    if (mClient)
        mClient->installEventFilter(this);
}

WId clsStyle::hWnd() const
{
    return mClient ? mClient->winId() : 0;
}

bool clsStyle::hasFlag(Qt::WindowType flag) const
{
    return mClient && mClient->windowFlags().testFlag(flag);
}

void clsStyle::changeFlags(Qt::WindowFlags flags)
{
    if (!mClient)
        return;
    const Placement place = placementOf(mClient);
    mClient->setWindowFlags(flags);
    showAgain(mClient, place);
}

void clsStyle::pRedraw()
{
    if (mClient)
        showAgain(mClient, placementOf(mClient));
}

// Without the customising hint the window system draws its usual buttons
// whatever the single button hints say.
void clsStyle::setButtonHint(Qt::WindowType hint, bool on)
{
    if (!mClient)
        return;
    Qt::WindowFlags flags = mClient->windowFlags() | Qt::CustomizeWindowHint;
    flags.setFlag(hint, on);
    changeFlags(flags);
}

// The close button goes and comes with the window menu.
void clsStyle::setControlBox(bool on)
{
    if (!mClient)
        return;
    Qt::WindowFlags flags = mClient->windowFlags() | Qt::CustomizeWindowHint;
    flags.setFlag(Qt::WindowSystemMenuHint, on);
    flags.setFlag(Qt::WindowCloseButtonHint, on);
    changeFlags(flags);
}

bool clsStyle::ControlBox() const
{
    return hasFlag(Qt::WindowSystemMenuHint);
}

void clsStyle::setMaxButton(bool on)
{
    setButtonHint(Qt::WindowMaximizeButtonHint, on);
}

bool clsStyle::MaxButton() const
{
    return hasFlag(Qt::WindowMaximizeButtonHint);
}

void clsStyle::setMinButton(bool on)
{
    setButtonHint(Qt::WindowMinimizeButtonHint, on);
}

bool clsStyle::MinButton() const
{
    return hasFlag(Qt::WindowMinimizeButtonHint);
}

void clsStyle::setSizable(bool on)
{
    if (!mClient)
        return;
    if (on) {
        mClient->setMinimumSize(0, 0);
        mClient->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        mClient->setFixedSize(mClient->size());
    }
    pRedraw();
}

bool clsStyle::Sizable() const
{
    return mClient && mClient->minimumSize() != mClient->maximumSize();
}

void clsStyle::setTitlebar(bool on)
{
    if (!mClient)
        return;
    Qt::WindowFlags flags = mClient->windowFlags();
    flags.setFlag(Qt::FramelessWindowHint, !on);
    changeFlags(flags);
}

bool clsStyle::Titlebar() const
{
    return mClient && !hasFlag(Qt::FramelessWindowHint);
}

// X11 and Wayland window managers mostly read a window's kind only when it
// first appears, so this counts for windows not yet shown.
void clsStyle::setToolWindow(bool on)
{
    if (!mClient)
        return;
    const Qt::WindowFlags hints = mClient->windowFlags() & ~Qt::WindowType_Mask;
    changeFlags(hints | (on ? Qt::Tool : Qt::Window));
}

bool clsStyle::ToolWindow() const
{
    return mClient && mClient->windowType() == Qt::Tool;
}

void clsStyle::setTopMost(bool on)
{
    SetTopMost(mClient, on);
}

bool clsStyle::TopMost() const
{
    return hasFlag(Qt::WindowStaysOnTopHint);
}

// X11 and Wayland frames have no help button; the flag is kept all the same.
void clsStyle::setWhatsThisButton(bool on)
{
    if (!mClient)
        return;
    changeFlags(mClient->windowFlags().setFlag(Qt::WindowContextHelpButtonHint, on));
}

bool clsStyle::WhatsThisButton() const
{
    return hasFlag(Qt::WindowContextHelpButtonHint);
}

void clsStyle::ShowSysMenu(qint16 x, qint16 y)
{
    if (!mClient)
        return;
    QWidget *window = mClient;
    auto *menu = new QMenu(window);
    menu->setObjectName(QStringLiteral("window_menu"));
    menu->setAccessibleName(QStringLiteral("Window menu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const Qt::WindowStates state = window->windowState();

    QAction *restore = menu->addAction(QStringLiteral("Restore"), window, &QWidget::showNormal);
    restore->setEnabled(state & (Qt::WindowMinimized | Qt::WindowMaximized));
    QAction *minimize =
        menu->addAction(QStringLiteral("Minimize"), window, &QWidget::showMinimized);
    minimize->setEnabled(MinButton() && !(state & Qt::WindowMinimized));
    QAction *maximize =
        menu->addAction(QStringLiteral("Maximize"), window, &QWidget::showMaximized);
    maximize->setEnabled(MaxButton() && !(state & Qt::WindowMaximized));
    QAction *top = menu->addAction(QStringLiteral("Always on top"));
    top->setCheckable(true);
    top->setChecked(TopMost());
    connect(top, &QAction::toggled, this, &clsStyle::setTopMost);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Close"), window, &QWidget::close);
    menu->popup(QPoint(x, y));
}

bool clsStyle::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != mClient)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress && m_autoDrag &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Q_EMIT systemMoveRequested();
        if (QWindow *handle = mClient->windowHandle())
            handle->startSystemMove();
    } else if (event->type() == QEvent::MouseButtonRelease && m_autoSysMenu &&
               static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        const QPoint at = QCursor::pos();
        ShowSysMenu(qint16(at.x()), qint16(at.y()));
    }
    return QObject::eventFilter(watched, event);
}
