#pragma once

#include "sim/reception.h"

#include <QList>
#include <QtGlobal>

// A list of receptions for the simulated radio to play, one after another.
class Scenario
{
public:
    Scenario() = default;
    explicit Scenario(QList<Reception> receptions) : m_receptions(std::move(receptions)) {}

    // count receptions drawn from the seed alone: the same seed, count and
    // rate always give the same scenario. rate is receptions per minute of
    // radio time at 10 ticks a second; it sets the mean gap between them
    // (at least 3 ticks). A rate of 0 or less counts as one a minute.
    static Scenario generate(quint32 seed, int count, double rate);

    const QList<Reception> &receptions() const { return m_receptions; }
    bool isEmpty() const { return m_receptions.isEmpty(); }
    // Radio ticks needed to play the whole list when nothing holds the radio.
    int totalTicks() const;

    bool operator==(const Scenario &other) const = default;

private:
    QList<Reception> m_receptions;
};
