#pragma once

#include "window/wheelnotches.h"

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QWidget>

// Watches the mouse wheel anywhere in one window and reports each whole
// notch as stepped(). The wheel events themselves are never taken away:
// the widget under the cursor still gets them and scrolls as usual.
//
// Qt hands a wheel event that a widget ignores on to its parents, and some
// widgets pass it on to others (a scroll area to its scroll bar); each such
// copy is recognised and the physical roll counted once.
class WheelSupport : public QObject
{
    Q_OBJECT
public:
    explicit WheelSupport(QObject *parent = nullptr);
    ~WheelSupport() override;

    // Starts watching the window; a window watched before is let go first.
    void InstallWheelSupport(QWidget *window);

    // Stops watching the window; nothing happens for another window or null.
    void RemoveWheelSupport(QWidget *window);

    QWidget *hookedWindow() const { return m_window; }

Q_SIGNALS:
    // One notch: up is away from the user.
    void stepped(bool up);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Seen
    {
        quint64 timestamp = 0;
        QPointF globalPosition;
        QPoint angleDelta;
        QPoint pixelDelta;
        QPointer<QWidget> receiver;
        bool valid = false;
    };

    QPointer<QWidget> m_window;
    WheelNotches m_notches;
    Seen m_last;
};
