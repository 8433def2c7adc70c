#pragma once

#include <QStringList>

// The two-letter state codes of the FCC lookup's state lists, in list order
// (index 37 is "NY", the default).
QStringList stateCodes();
inline constexpr int defaultStateIndex = 37;
