#include "window/layouttable.h"

namespace {

const QString full = QStringLiteral("full");
const QString maxi = QStringLiteral("maxi");
const QString mini = QStringLiteral("mini");
const QString displayAndHold = QStringLiteral("display_and_hold");
const QString displayOnly = QStringLiteral("display_only");
const QString noWindowsJunk = QStringLiteral("display_only_no_windows_junk");
const QString floatingStrip = QStringLiteral("display_floating_taskbar");

// The design window is 11745 by 8745 around a client area of 11625 by 8370.
constexpr int frameWidth = 11745 - 11625;
constexpr int frameHeight = 8745 - 8370;

constexpr auto smaller = LayoutStep::Smaller;
constexpr auto larger = LayoutStep::Larger;

ElementMove to(const char *element, std::optional<int> left, int top)
{
    return {QLatin1String(element), left, top};
}

// "mini" brings three keys of the top row down into the gaps of the bottom
// row, where its narrower window still shows them.
const QList<ElementMove> keysInBottomRow = {to("key_f", 4755, 2025), to("key_menu", 5430, 2025),
                                            to("key_right", 6090, 2025)};
const QList<ElementMove> keysInTopRow = {to("key_f", 6840, 225), to("key_menu", 7485, 225),
                                         to("key_right", 8775, 225)};

// The strip holds its text, the signal picture and the two small buttons;
// the display frame and the first key go out of view below it.
const QList<ElementMove> intoStrip = {
    to("button_mini_plus_hold_win", 3930, 50), to("button_maxi_plus_hold_win", 4170, 50),
    to("Picture2", {}, 5000), to("key_hold", {}, 5000), to("sigpic", {}, 40)};
const QList<ElementMove> outOfStrip = {
    to("button_mini_plus_hold_win", 1830, 20), to("button_maxi_plus_hold_win", 2070, 20),
    to("Picture2", {}, 180), to("sigpic", {}, 360), to("key_hold", {}, 225)};

const QList<LayoutTransition> &transitions()
{
    //  from, to, step, height, width, title bar, drag by client area, strip shown, moves
    static const QList<LayoutTransition> table = {
        {full, maxi, smaller, 3150, 11745, {}, {}, {}, {}},
        {maxi, mini, smaller, 3150, 6870, {}, {}, {}, keysInBottomRow},
        {mini, displayAndHold, smaller, 3150, 4150, {}, {}, {}, {}},
        {displayAndHold, displayOnly, smaller, 2675, 4150, {}, {}, {}, {}},
        {displayOnly, noWindowsJunk, smaller, 2300, 4060, false, true, {}, {}},
        {noWindowsJunk, floatingStrip, smaller, 250, 4560, false, true, true, intoStrip},
        {maxi, full, larger, 8745, 11745, {}, {}, {}, {}},
        {mini, maxi, larger, 3150, 11745, {}, {}, {}, keysInTopRow},
        {displayAndHold, mini, larger, 3150, 6870, {}, {}, {}, keysInBottomRow},
        {displayOnly, displayAndHold, larger, 3150, 4150, {}, {}, {}, {}},
        {noWindowsJunk, displayOnly, larger, 2675, 4150, true, false, {}, {}},
        {floatingStrip, noWindowsJunk, larger, 2300, 4060, false, true, false, outOfStrip},
    };
    return table;
}

} // namespace

QStringList layoutNames()
{
    return {full, maxi, mini, displayAndHold, displayOnly, noWindowsJunk, floatingStrip};
}

std::optional<LayoutTransition> layoutTransition(const QString &mode, LayoutStep step)
{
    for (const LayoutTransition &transition : transitions()) {
        if (transition.from == mode && transition.step == step)
            return transition;
    }
    return std::nullopt;
}

LayoutRestore layoutRestore(int stored)
{
    switch (stored) {
    case 7:
        return {displayOnly, {}, {smaller, smaller}};
    case 6:
        return {displayOnly, {}, {smaller}};
    case 5:
        return {displayOnly, QSize(4150, 2675), {}};
    case 4:
        return {mini, {}, {smaller}};
    case 3:
        return {maxi, {}, {smaller}};
    case 2:
        return {full, {}, {smaller}};
    default:
        return {maxi, {}, {larger}};
    }
}

int storedLayoutNumber(const QString &mode)
{
    return int(layoutNames().indexOf(mode)) + 1;
}

bool isFramelessLayout(const QString &mode)
{
    return mode == noWindowsJunk || mode == floatingStrip;
}

QSize clientSizeTwips(const QSize &outer, bool titlebar)
{
    if (!titlebar)
        return outer;
    return QSize(outer.width() - frameWidth, outer.height() - frameHeight);
}
