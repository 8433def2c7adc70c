#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Switches the frame features of one window at run time: title bar, window
// menu, minimise and maximise buttons, sizing, tool-window frame, help
// button and the top-most band. It can also let the user drag the window by
// its client area and open a window menu with a right click.
//
// The features are the window's Qt window flags. Qt takes changed flags by
// re-creating the window's frame, which hides a shown window; every change
// shows it again at the same place and size, as pRedraw() does.
class clsStyle : public QObject
{
    Q_OBJECT
public:
    explicit clsStyle(QObject *parent = nullptr);

    // A left press on the client area moves the window.
    void setAutoDrag(bool on) { m_autoDrag = on; }
    bool AutoDrag() const { return m_autoDrag; }

    // A right button release on the client area opens the window menu.
    void setAutoSysMenu(bool on) { m_autoSysMenu = on; }
    bool AutoSysMenu() const { return m_autoSysMenu; }

    // The attached window, whose mouse presses and releases are watched;
    // null lets the window go. With no window attached nothing has effect.
    void setClient(QWidget *client);
    QWidget *Client() const { return mClient; }

    // Qt keeps the window menu, and the frame, while a minimise, maximise
    // or help button is switched on by one of the setters below.
    void setControlBox(bool on);
    bool ControlBox() const;
    void setMaxButton(bool on);
    bool MaxButton() const;
    void setMinButton(bool on);
    bool MinButton() const;
    // Off: the window keeps its present size.
    void setSizable(bool on);
    bool Sizable() const;
    // Off: no frame at all.
    void setTitlebar(bool on);
    bool Titlebar() const;
    void setToolWindow(bool on);
    bool ToolWindow() const;
    void setTopMost(bool on);
    bool TopMost() const;
    void setWhatsThisButton(bool on);
    bool WhatsThisButton() const;

    // The attached window's native handle; 0 when none is attached.
    WId hWnd() const;

    // Hands the window's flags to the window system again and shows the
    // window where it was if the change hid it.
    void pRedraw();

    // A window menu of our own at the point (screen pixels): Restore,
    // Minimize, Maximize, Always on top, Close.
    void ShowSysMenu(qint16 x, qint16 y);

Q_SIGNALS:
    // A left press with AutoDrag on asked the window system to move the
    // window (on platforms that cannot, nothing moves).
    void systemMoveRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool hasFlag(Qt::WindowType flag) const;
    void setButtonHint(Qt::WindowType hint, bool on);
    void changeFlags(Qt::WindowFlags flags);

    QPointer<QWidget> mClient;
    bool m_autoDrag = false;
    bool m_autoSysMenu = false;
};

// Puts the window in or out of the band of windows kept above all others,
// without moving or resizing it.
void SetTopMost(QWidget *window, bool on);
