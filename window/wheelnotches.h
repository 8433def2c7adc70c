#pragma once

#include <QString>

// Adds up mouse wheel movement into whole notches. A notch is 120 units (one
// click of an ordinary wheel, 1/8 degree a unit); finer movement from smooth
// wheels and touchpads adds up until it makes a notch. Turning the other way
// drops what was left over from the old direction.
class WheelNotches
{
public:
    static constexpr int unitsPerNotch = 120;

    // Adds a movement (positive away from the user) and returns the whole
    // notches it completes: positive up, negative down, 0 for none yet.
    int add(int delta);

    // What is left over towards the next notch.
    int remainder() const { return m_sum; }

    void reset() { m_sum = 0; }

private:
    int m_sum = 0;
};

// The drawn key whose click a notch of the wheel runs: key_right for up,
// key_left for down.
QString wheelStepKey(bool up);
