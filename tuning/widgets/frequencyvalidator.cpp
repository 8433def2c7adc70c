#include "tuning/widgets/frequencyvalidator.h"

#include "tuning/directentry.h"

QValidator::State FrequencyValidator::validate(QString &input, int &) const
{
    switch (checkDirectEntry(input)) {
    case DirectEntryState::Refused:
        return Invalid;
    case DirectEntryState::Incomplete:
        return Intermediate;
    case DirectEntryState::Complete:
        break;
    }
    return Acceptable;
}
