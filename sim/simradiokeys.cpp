#include "sim/simradio.h"

// The radio's keys as the KEY command presses them.

namespace {

const QByteArray keyLetters = "MFHSLP0123456789.E><^";
const QByteArray keyModes = "PLHR";

} // namespace

QByteArray SimRadio::keyReply(const QList<QByteArray> &fields)
{
    if (fields.size() != 3 || fields.at(1).size() != 1 || fields.at(2).size() != 1)
        return "KEY,ERR";
    const char key = fields.at(1).at(0);
    const char mode = fields.at(2).at(0);
    if (!keyLetters.contains(key) || !keyModes.contains(mode))
        return "KEY,ERR";
    if ((key == '>' || key == '<') && mode != 'P')
        return "KEY,ERR";
    if (m_programming)
        return "KEY,NG";

    if (key == 'F') {
        if (mode == 'H')
            m_functionHeld = true;
        else if (mode == 'R')
            m_functionHeld = false;
        else
            m_functionLatched = !m_functionLatched;
        return "KEY,OK";
    }
    if (mode == 'R')
        return "KEY,OK";
    const bool function = m_functionLatched || m_functionHeld;
    m_functionLatched = false;
    if (m_keyLock && !(function && key == 'P'))
        return "KEY,OK";
    if (m_menu)
        pressMenuKey(key);
    else
        pressKey(key, function);
    return "KEY,OK";
}

void SimRadio::pressKey(char key, bool function)
{
    switch (key) {
    case 'M':
        m_menu = true;
        m_menuIndex = 0;
        break;
    case 'H':
        if (!function)
            toggleHold();
        break;
    case 'S':
        m_held = false;
        m_heardOnHold.reset();
        break;
    case 'L':
        if (m_phase != Phase::Idle)
            leaveReception();
        else if (m_held)
            m_lockedOut = !m_lockedOut;
        break;
    case 'P':
        if (function)
            m_keyLock = !m_keyLock;
        break;
    case '1':
        if (function)
            m_priority = !m_priority;
        break;
    case 'E':
        m_closeCall = false;
        break;
    case '>':
    case '<':
        step(key == '>');
        break;
    default:
        break;
    }
}

void SimRadio::pressMenuKey(char key)
{
    switch (key) {
    case 'S':
        m_held = false;
        m_heardOnHold.reset();
        m_menu = false;
        break;
    case 'M':
    case '.':
        m_menu = false;
        break;
    case '>':
        m_menuIndex = qMin(m_menuIndex + 1, menuItemCount() - 1);
        break;
    case '<':
        m_menuIndex = qMax(m_menuIndex - 1, 0);
        break;
    default:
        break;
    }
}

void SimRadio::toggleHold()
{
    if (m_held) {
        m_held = false;
        m_heardOnHold.reset();
        return;
    }
    m_held = true;
    if (m_phase == Phase::Idle)
        holdOn(scanChannel());
}

void SimRadio::step(bool up)
{
    m_scanUp = up;
    const bool wasIdle = m_phase == Phase::Idle;
    leaveReception();
    if (!m_held)
        return;
    if (wasIdle)
        m_scanIndex = (m_scanIndex + (up ? 1 : idleChannelCount() - 1)) % idleChannelCount();
    holdOn(scanChannel());
}
