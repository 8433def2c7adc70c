#include "window/wheelnotches.h"

int WheelNotches::add(int delta)
{
    if (delta == 0)
        return 0;
    if ((delta > 0 && m_sum < 0) || (delta < 0 && m_sum > 0))
        m_sum = 0;
    // Keep the sum in range even for absurd deltas.
    const long long sum = static_cast<long long>(m_sum) + delta;
    const long long notches = sum / unitsPerNotch;
    m_sum = static_cast<int>(sum - notches * unitsPerNotch);
    constexpr long long limit = 1 << 20;
    return static_cast<int>(notches > limit ? limit : (notches < -limit ? -limit : notches));
}

QString wheelStepKey(bool up)
{
    return up ? QStringLiteral("key_right") : QStringLiteral("key_left");
}
