#pragma once

#include <QString>
#include <QStringView>

// The radio's eight-digit frequency (units of 100 Hz) in the form the panel
// shows: "01545250" -> " 154.5250", "08515625" -> " 851.5625". The first four
// characters, ".", the last four; stray reply words ("STS", "OK", "KEY") and
// CRs removed; leading "0"s dropped; padded with spaces in front to nine
// characters. A text shorter than eight characters gives what it has: its
// first four (or all) characters, ".", its last four (or all) characters.
QString FormatDisplayFrequency(const QString &eightChars);

// What FormatDisplayFrequency makes of eight zeros: no frequency.
inline constexpr QStringView noFrequencyText = u"    .0000";

// True when a displayed frequency names a frequency at all: it holds a digit
// other than 0. False for eight zeros and for an empty reply field.
bool isDisplayFrequency(const QString &displayed);

// The name of a reception's tone code: "64" to "113" are the CTCSS tones
// ("C67.0" ... "C254.1"), "128" to "231" the DCS codes ("D023" ... "D754").
// The code is compared as written, so "067" or " 64" stay as they are; any
// other code is returned unchanged.
QString toneName(const QString &code);
