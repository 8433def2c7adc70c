#include "poll/displaydecode.h"

#include "poll/radiotext.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct Symbol
{
    std::string_view bytes;
    std::string_view word;
};

// Status icons of line 1 and the words that stand for them, applied in this
// order. The signal bars get a word first; the meter step below blanks it.
constexpr std::array<Symbol, 11> statusSymbols = {{
    {"\x8d\x8e\x8f\x90", " HOLD"},
    {"\x91\x92\x93\x94", "DSKP"},
    {"\x8b", "F"},
    {"\x95\x96\x97", " L/O"},
    {"\xa1\xa2", " PRI "},
    {"\x83\x84", "LOWBAT"},
    {"\xa6", "SIG1"},
    {"\xa7", "SIG2"},
    {"\xa8\xa9", "SIG3"},
    {"\xaa\xab", "SIG4"},
    {"\xac\xad", "SIG5"},
}};

// Badges of line 4. "FM " comes before "NFM ": its bytes never occur inside
// the NFM badge, so the order does not split one.
constexpr std::array<Symbol, 11> badgeSymbols = {{
    {"\x9b\x9c\x9a", "FM "},
    {"\x9d\x9e\x9c\x9a", "NFM "},
    {"\x98\x99\x9a", "AM "},
    {"\x9f\xa0\x9c\x9a", "WFM "},
    {"\xa3\xa4\xa5", "ATT "},
    {"\x8c", "P "},
    {"\xb4", "_"},
    {"\xae", "|"},
    {"\xb0", "|"},
    {"\xaf", "|"},
    {"\x87\x88", "CC"},
}};

constexpr Symbol closeCallTail = {"\x89\x8a", ""};

constexpr std::array<Symbol, 4> barSymbols = {{
    {"\x80", "#"},
    {"\xb2", " "},
    {"\xb1", ""},
    {"\xb3", ""},
}};

constexpr Symbol keyLock = {"\x85\x86", " KEYL"};

// The meter's words, weakest first, and the blank each leaves behind: as
// wide as the symbol bytes it came from.
constexpr std::array<Symbol, 5> signalWords = {{
    {"SIG1", " "},
    {"SIG2", " "},
    {"SIG3", "  "},
    {"SIG4", "  "},
    {"SIG5", "  "},
}};

constexpr qsizetype screenWidth = 16;
constexpr qsizetype screenWidthLeft = 12;
constexpr qsizetype screenWidthRight = 4;

// A line shown in reverse has a mode field of sixteen "*".
constexpr std::string_view reverseLine = "****************";

constexpr char upArrow = '\x81';
constexpr char downArrow = '\x82';
constexpr std::string_view upMarker = "direction_up";
constexpr std::string_view downMarker = "direction_dn";

QByteArrayView view(std::string_view text)
{
    return QByteArrayView(text.data(), qsizetype(text.size()));
}

// Most lines hold few of the symbols or none: looking for one costs far
// less than a replace() that finds nothing.
void apply(QByteArray &line, const Symbol &symbol)
{
    if (line.contains(view(symbol.bytes)))
        line.replace(view(symbol.bytes), view(symbol.word));
}

constexpr bool isSymbolByte(char c)
{
    return static_cast<unsigned char>(c) >= 0x80;
}

template <std::size_t N>
constexpr bool allStartWithSymbolBytes(const std::array<Symbol, N> &symbols)
{
    for (const Symbol &symbol : symbols) {
        if (symbol.bytes.empty() || !isSymbolByte(symbol.bytes.front()))
            return false;
    }
    return true;
}

static_assert(allStartWithSymbolBytes(statusSymbols) && allStartWithSymbolBytes(badgeSymbols) &&
              allStartWithSymbolBytes(barSymbols));

// Every symbol starts with a byte of 0x80 or above, so a line without one
// has nothing to replace.
template <std::size_t N> void applyAll(QByteArray &line, const std::array<Symbol, N> &symbols)
{
    if (std::none_of(line.cbegin(), line.cend(), isSymbolByte))
        return;
    for (const Symbol &symbol : symbols)
        apply(line, symbol);
}

QByteArray trimmedSpaces(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == ' ')
        ++begin;
    while (end > begin && text.at(end - 1) == ' ')
        --end;
    return text.sliced(begin, end - begin);
}

// Turns the arrow byte in the screen text into its marker; when the marker
// shows up, takes it out again and notes the direction in the icon line.
void takeArrow(QByteArray &text, QByteArray &icons, char arrow, std::string_view marker,
               QByteArrayView direction)
{
    if (text.contains(arrow))
        text.replace(arrow, view(marker));
    if (text.contains(view(marker))) {
        text.replace(view(marker), QByteArrayView());
        icons.append(direction);
    }
}

// Blanks the first signal word found and returns its level; without one,
// a line that grew past the screen width keeps its first 12 and last 4
// characters.
int readSignalMeter(QByteArray &line)
{
    for (std::size_t i = 0; i < signalWords.size(); ++i) {
        if (line.contains(view(signalWords[i].bytes))) {
            apply(line, signalWords[i]);
            return int(i) + 1;
        }
    }
    if (line.size() > screenWidth)
        line = line.first(screenWidthLeft) + line.last(screenWidthRight);
    return 0;
}

} // namespace

SixLineScreen decodeSixLineScreen(const QList<QByteArray> &sts)
{
    const QByteArray line2 = sts.value(4);
    const QByteArray line3 = sts.value(6);

    QByteArray text1 = line2 + "\r\n" + line3 + "\r\n";

    QByteArray taskbarLine3 = line3;
    if (taskbarLine3.contains(downArrow))
        taskbarLine3.replace(QByteArrayView(" \x82 "), QByteArrayView());
    if (taskbarLine3.contains(upArrow))
        taskbarLine3.replace(upArrow, QByteArrayView());
    const QByteArray taskbar = ' ' + trimmedSpaces(line2) + '/' + taskbarLine3;

    QByteArray icons1 = sts.value(10);
    QByteArray icons2 = sts.value(12);
    takeArrow(text1, icons1, upArrow, upMarker, " Up");
    takeArrow(text1, icons1, downArrow, downMarker, " Dn");

    SixLineScreen screen;
    screen.line1 = sts.value(2);
    screen.line4 = sts.value(8);
    applyAll(screen.line1, statusSymbols);
    applyAll(screen.line4, badgeSymbols);
    apply(icons1, closeCallTail);
    applyAll(icons2, barSymbols);

    screen.signalLevel = readSignalMeter(screen.line1);
    apply(screen.line1, keyLock);
    screen.p25 = screen.line4.contains("P25");

    screen.text1 = radioText(text1);
    screen.floatingTaskbar = radioText(taskbar);
    screen.sigdisplay = radioText(screen.line1);
    screen.moddisp = radioText(screen.line4);
    screen.iconsSet1 = radioText(icons1);
    screen.iconsSet2 = radioText(icons2);
    return screen;
}

QString decodeFourLineScreen(const QList<QByteArray> &sts)
{
    QByteArray text;
    for (int line = 1; line <= 4; ++line) {
        if (sts.value(2 * line + 1) == view(reverseLine))
            text += '*';
        text += sts.value(2 * line);
        text += "\r\n";
    }
    return radioText(text);
}
