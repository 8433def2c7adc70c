#include "poll/replyset.h"

#include "poll/radiotext.h"

namespace {

constexpr qsizetype sixLineScreenFields = 18;
constexpr qsizetype fourLineScreenFields = 14;
constexpr qsizetype receptionFields = 10;
constexpr qsizetype frequencyFields = 3;

// The radio never sends a byte below 0x20 inside a reply; one there is line
// noise and the set cannot be trusted.
bool hasControlInsideReply(const QByteArray &raw)
{
    for (const char c : raw) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\r')
            return true;
    }
    return false;
}

} // namespace

QList<QByteArray> splitFields(const QByteArray &line)
{
    if (line.isEmpty())
        return {};
    return line.split(',');
}

std::optional<ReplySet> splitReplySet(const QByteArray &raw)
{
    if (raw.count('\r') != 3 || !raw.endsWith('\r') || hasControlInsideReply(raw))
        return std::nullopt;
    const qsizetype firstEnd = raw.indexOf('\r');
    const qsizetype secondEnd = raw.indexOf('\r', firstEnd + 1);
    const qsizetype thirdEnd = raw.size() - 1;
    ReplySet set;
    set.sts = splitFields(raw.first(firstEnd));
    set.glg = splitFields(raw.sliced(firstEnd + 1, secondEnd - firstEnd - 1));
    set.win = splitFields(raw.sliced(secondEnd + 1, thirdEnd - secondEnd - 1));
    return set;
}

bool isSixLineScreen(const QList<QByteArray> &sts)
{
    return sts.size() == sixLineScreenFields;
}

bool isFourLineScreen(const QList<QByteArray> &sts)
{
    return sts.size() == fourLineScreenFields;
}

bool isReceptionReply(const QList<QByteArray> &glg)
{
    return glg.size() == receptionFields;
}

bool isFrequencyReply(const QList<QByteArray> &win)
{
    return win.size() == frequencyFields;
}

QString debugBoxText(const ReplySet &set, const QByteArray &raw)
{
    return QString::number(set.sts.size() - 1) + QStringLiteral(" - ") + radioText(raw);
}
