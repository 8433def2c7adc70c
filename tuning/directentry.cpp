#include "tuning/directentry.h"

#include <QStringList>

namespace {

constexpr int mostDigitsEachSide = 4;

bool looksLikeTone(const QString &code)
{
    if (code == QLatin1String("P25") || code.contains(QLatin1Char('.')))
        return true;
    return code.size() > 1 && (code.front() == u'C' || code.front() == u'D') &&
           code.at(1).isDigit();
}

} // namespace

DirectEntryState checkDirectEntry(QStringView typed)
{
    int points = 0;
    int before = 0;
    int after = 0;
    for (const QChar c : typed) {
        if (c == u'.') {
            ++points;
        } else if (c >= u'0' && c <= u'9') {
            ++(points == 0 ? before : after);
        } else {
            return DirectEntryState::Refused;
        }
    }
    if (points > 1 || before > mostDigitsEachSide || after > mostDigitsEachSide)
        return DirectEntryState::Refused;
    if (points == 0 || before + after == 0)
        return DirectEntryState::Incomplete;
    return DirectEntryState::Complete;
}

QString directEntryProblem(QStringView typed)
{
    switch (checkDirectEntry(typed)) {
    case DirectEntryState::Complete:
        return {};
    case DirectEntryState::Refused:
        return directEntryRule.toString();
    case DirectEntryState::Incomplete:
        break;
    }
    if (typed.contains(u'.') || typed.isEmpty())
        return QStringLiteral("no MHz typed");
    return QStringLiteral("MHz needs a point, e.g. 155.52");
}

LoggedHitTuning loggedHitTuning(const QString &logLine)
{
    const QStringList fields = logLine.split(QLatin1Char('\t'));
    LoggedHitTuning tuning;
    const QString frequency = fields.value(2).trimmed();
    if (checkDirectEntry(frequency) == DirectEntryState::Complete)
        tuning.frequency = frequency;
    const QString code = fields.value(3);
    if (!looksLikeTone(code))
        tuning.talkgroup = code;
    return tuning;
}
