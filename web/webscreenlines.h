#pragma once

#include "web/webremote.h"

#include <QString>

// What the window's screen boxes show, as their texts.
struct WindowScreenText
{
    bool fourLine = false; // a menu's four lines, all in text1
    QString line1;         // the status words above the big lines
    QString text1;         // the big lines (six-line screen: two; menu: four), "\n" between
    QString modulation;    // the fourth line's left part
    QString frequency;     // its right part
    QString icons1;        // the fifth and sixth lines
    QString icons2;
    int signal = 0;
};

// The six lines the page draws, top to bottom, as the window shows them: a
// menu's four lines are followed by two empty ones.
WebScreenState webScreenState(const WindowScreenText &screen);
