#pragma once

#include <QValidator>

// Lets a MHz field take only what checkDirectEntry does not refuse: digits
// and one point, four digits at most on each side.
class FrequencyValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};
