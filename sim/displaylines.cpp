#include "sim/displaylines.h"

QByteArray fitLine(const QByteArray &text)
{
    QByteArray line = text.left(displayLineWidth);
    line.append(displayLineWidth - line.size(), ' ');
    return line;
}

QByteArray statusLine(const StatusIcons &icons)
{
    QByteArray line(displayLineWidth, ' ');
    if (icons.function)
        line[0] = '\x8b';
    if (icons.hold)
        line.replace(1, 4, "\x8d\x8e\x8f\x90");
    if (icons.lockedOut)
        line.replace(5, 3, "\x95\x96\x97");
    if (icons.keyLock)
        line.replace(8, 2, "\x85\x86");
    line.replace(10, 2, signalPair(icons.signal));
    if (icons.priority)
        line.replace(13, 2, "\xa1\xa2");
    return line;
}

QByteArray signalPair(int bars)
{
    switch (bars) {
    case 1:
        return "\xa6 ";
    case 2:
        return "\xa7 ";
    case 3:
        return "\xa8\xa9";
    case 4:
        return "\xaa\xab";
    case 5:
        return "\xac\xad";
    default:
        return "  ";
    }
}

QByteArray modulationBadge(const QByteArray &modulation)
{
    if (modulation == "NFM")
        return "\x9d\x9e\x9c\x9a";
    if (modulation == "AM")
        return "\x98\x99\x9a";
    if (modulation == "WFM")
        return "\x9f\xa0\x9c\x9a";
    return "\x9b\x9c\x9a";
}

QByteArray frequencyText(const QByteArray &digits)
{
    if (digits.size() != 8)
        return digits;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return digits;
    }
    QByteArray megahertz = digits.left(4);
    while (megahertz.size() > 1 && megahertz.startsWith('0'))
        megahertz.remove(0, 1);
    return megahertz + '.' + digits.right(4);
}

QByteArray modulationLine(const QByteArray &modulation, const QByteArray &digits, bool p25)
{
    const QByteArray text = modulationBadge(modulation) + frequencyText(digits);
    if (!p25)
        return fitLine(text);
    return fitLine(text).left(displayLineWidth - 3) + "P25";
}

QByteArray scanningLine(const QByteArray &name, bool up)
{
    return fitLine(name).left(displayLineWidth - 3) + ' ' + (up ? '\x81' : '\x82') + ' ';
}
