#pragma once

#include <QStringList>

#include <future>
#include <thread>

// The system's serial devices, as the port list offers them.
QStringList systemSerialDevices();

// Work the window needs but not the display, done on a thread of its own
// while the application connects to the display: the system's font
// configuration is read (the largest single cost of the first text shown).
// The serial devices are not listed here: the window lists them once it has
// been painted, or when a saved choice needs them to open the radio.
class StartAhead
{
public:
    StartAhead();
    ~StartAhead();
    StartAhead(const StartAhead &) = delete;
    StartAhead &operator=(const StartAhead &) = delete;

    // Returns once the font configuration is read. Call before the first
    // font is used, so that the window does not read it a second time.
    void waitForFonts();

private:
    std::promise<void> m_fontsRead;
    std::future<void> m_fonts;
    std::thread m_thread;
};
