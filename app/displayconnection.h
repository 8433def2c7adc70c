#pragma once

// Settles how the window's pixels reach the display, before the application
// connects to it. Under X11 they go over the X server's socket rather than
// through shared memory: every shared-memory put ends in a completion event
// that wakes the program twice per repaint, twenty times a second while the
// radio scans, and a repaint here is a few lines of the radio's screen.
// A QT_XCB_NO_MITSHM the user set is left as it is.
void chooseDisplayTransfer();
