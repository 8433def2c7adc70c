#include "window/widgets/wheelsupport.h"

#include <QApplication>
#include <QWheelEvent>

namespace {

// The vertical movement of a wheel event, positive away from the user
// whatever the system's scrolling direction setting.
int verticalDelta(const QWheelEvent &wheel)
{
    int delta = wheel.angleDelta().y();
    if (delta == 0 && wheel.modifiers() & Qt::AltModifier) {
        // With Alt held, Qt turns a vertical roll into a horizontal one.
        delta = wheel.angleDelta().x();
    }
    if (delta == 0)
        delta = wheel.pixelDelta().y();
    return wheel.inverted() ? -delta : delta;
}

} // namespace

WheelSupport::WheelSupport(QObject *parent) : QObject(parent) {}

WheelSupport::~WheelSupport()
{
    if (m_window)
        RemoveWheelSupport(m_window);
}

void WheelSupport::InstallWheelSupport(QWidget *window)
{
    if (!window || !qApp)
        return;
    if (m_window)
        RemoveWheelSupport(m_window);
    m_window = window;
    m_notches.reset();
    m_last = {};
    qApp->installEventFilter(this);
}

void WheelSupport::RemoveWheelSupport(QWidget *window)
{
    if (!window || window != m_window)
        return;
    if (qApp)
        qApp->removeEventFilter(this);
    m_window = nullptr;
    m_notches.reset();
    m_last = {};
}

bool WheelSupport::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel || !m_window)
        return false;
    auto *receiver = qobject_cast<QWidget *>(watched);
    if (!receiver || receiver->window() != m_window)
        return false;

    const auto *wheel = static_cast<QWheelEvent *>(event);
    const bool sameRoll = m_last.valid && wheel->timestamp() == m_last.timestamp &&
                          wheel->globalPosition() == m_last.globalPosition &&
                          wheel->angleDelta() == m_last.angleDelta &&
                          wheel->pixelDelta() == m_last.pixelDelta;
    // A copy of the roll just counted: handed on to a parent, or passed on
    // by the widget itself (never spontaneous).
    const bool toAncestor =
        m_last.receiver && receiver != m_last.receiver && receiver->isAncestorOf(m_last.receiver);
    const bool copy = sameRoll && (!wheel->spontaneous() || toAncestor);

    m_last.timestamp = wheel->timestamp();
    m_last.globalPosition = wheel->globalPosition();
    m_last.angleDelta = wheel->angleDelta();
    m_last.pixelDelta = wheel->pixelDelta();
    m_last.receiver = receiver;
    m_last.valid = true;
    if (copy)
        return false;

    const int notches = m_notches.add(verticalDelta(*wheel));
    const bool up = notches > 0;
    // Each notch on its own; a receiver may close the window meanwhile.
    const QPointer<WheelSupport> self(this);
    for (int i = 0; i < (up ? notches : -notches) && self; ++i)
        Q_EMIT stepped(up);
    return false;
}
