#include "poll/frequencyformat.h"

#include <array>
#include <optional>
#include <string_view>

namespace {

constexpr int firstCtcssCode = 64;
constexpr int firstDcsCode = 128;

constexpr std::array<std::string_view, 50> ctcssTones = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

constexpr std::array<std::string_view, 104> dcsCodes = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

static_assert(firstCtcssCode + int(ctcssTones.size()) - 1 == 113);
static_assert(firstDcsCode + int(dcsCodes.size()) - 1 == 231);

// The number a code stands for when it is written the plain way: digits
// only, no leading zero, at most three of them.
std::optional<int> plainCode(const QString &code)
{
    if (code.isEmpty() || code.size() > 3 || code.front() == QLatin1Char('0'))
        return std::nullopt;
    int value = 0;
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QString fromView(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

QString FormatDisplayFrequency(const QString &eightChars)
{
    QString text = eightChars.left(4) + QLatin1Char('.') + eightChars.right(4);
    text.remove(QLatin1Char('\r'));
    text.remove(QStringLiteral("STS"));
    text.remove(QStringLiteral("OK"));
    text.remove(QStringLiteral("KEY"));
    qsizetype zeros = 0;
    while (zeros < text.size() && text.at(zeros) == QLatin1Char('0'))
        ++zeros;
    text.remove(0, zeros);
    return text.rightJustified(9, QLatin1Char(' '));
}

bool isDisplayFrequency(const QString &displayed)
{
    for (const QChar c : displayed) {
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
            return true;
    }
    return false;
}

QString toneName(const QString &code)
{
    const std::optional<int> value = plainCode(code);
    if (!value)
        return code;
    const int ctcss = *value - firstCtcssCode;
    if (ctcss >= 0 && ctcss < int(ctcssTones.size()))
        return QLatin1Char('C') + fromView(ctcssTones[ctcss]);
    const int dcs = *value - firstDcsCode;
    if (dcs >= 0 && dcs < int(dcsCodes.size()))
        return QLatin1Char('D') + fromView(dcsCodes[dcs]);
    return code;
}
