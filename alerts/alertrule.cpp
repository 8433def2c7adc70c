#include "alerts/alertrule.h"

#include "log/historyfilter.h"

#include <QRegularExpression>

#include <cmath>
#include <utility>

namespace {

// Frequencies are compared to a tenth of the radio's 100 Hz step.
constexpr double toleranceMhz = 0.00001;

bool readMhz(const QString &text, double *value)
{
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(*value) && *value >= 0;
}

} // namespace

bool parseFrequencyRange(const QString &text, double *low, double *high)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *low = 0;
        *high = INFINITY;
        return true;
    }
    const qsizetype dash = trimmed.indexOf(u'-', 1);
    if (dash < 0) {
        if (!readMhz(trimmed, low))
            return false;
        *high = *low;
        return true;
    }
    if (!readMhz(trimmed.left(dash), low) || !readMhz(trimmed.mid(dash + 1), high))
        return false;
    if (*high < *low)
        std::swap(*low, *high);
    return true;
}

QStringList talkgroupList(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
}

QString ruleProblem(const AlertRule &rule)
{
    double low = 0;
    double high = 0;
    if (!parseFrequencyRange(rule.frequency, &low, &high))
        return QStringLiteral("The frequency is not a number of MHz or a range such as "
                              "154.0-155.5: %1")
            .arg(rule.frequency);
    if (rule.cooldownSeconds < 0)
        return QStringLiteral("The cooldown cannot be negative.");
    return {};
}

bool ruleMatches(const AlertRule &rule, const AlertHit &hit)
{
    if (!rule.enabled)
        return false;
    if ((rule.kind == AlertRule::Kind::Conventional && hit.trunked) ||
        (rule.kind == AlertRule::Kind::Trunked && !hit.trunked))
        return false;

    const QString haystack = (hit.system + u'\t' + hit.group + u'\t' + hit.channel).toLower();
    for (const QString &word : filterWords(rule.words)) {
        if (!haystack.contains(word))
            return false;
    }

    if (!rule.frequency.trimmed().isEmpty()) {
        double low = 0;
        double high = 0;
        double heard = 0;
        if (!parseFrequencyRange(rule.frequency, &low, &high) || !readMhz(hit.frequency, &heard))
            return false;
        if (heard < low - toleranceMhz || heard > high + toleranceMhz)
            return false;
    }

    const QStringList talkgroups = talkgroupList(rule.talkgroups);
    if (!talkgroups.isEmpty() && !talkgroups.contains(hit.talkgroup.trimmed()))
        return false;
    return true;
}

AlertHit sampleAlertHit(const QString &startTime)
{
    AlertHit hit;
    hit.system = QStringLiteral("Test System");
    hit.group = QStringLiteral("Test Group");
    hit.channel = QStringLiteral("Test Channel");
    hit.frequency = QStringLiteral("154.0700");
    hit.tone = QStringLiteral("C74.4");
    hit.start = startTime;
    return hit;
}
