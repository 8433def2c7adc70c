#pragma once

#include <QByteArrayList>

// Settles how the program waits for its events, made before the
// application connects to the display: the event loop is Qt's own rather
// than GLib's. GLib's writes to its wake-up descriptor at every event posted
// and looks at every descriptor twice a pass; ten polls a second took 40%
// fewer system calls with Qt's. Where Qt's GTK theme is installed GLib's
// loop stays: the theme's file dialogs run on it. A choice the user made in
// the environment is left as it is.
// (Under X11 the window's pixels go through shared memory, as Qt chooses:
// sending them over the X server's socket instead spares the program the
// shared-memory put's completion event, a wake-up per repaint, but costs
// the X server more than that saves.)
class DisplayChoices
{
public:
    explicit DisplayChoices(bool gtkThemeInstalled = isGtkThemeInstalled());
    // Takes the choices back out of the environment once the application
    // has read them, so a program started from here (the browser, a file
    // manager) gets the user's own.
    void forget();

    static bool isGtkThemeInstalled();

private:
    QByteArrayList m_made;
};
