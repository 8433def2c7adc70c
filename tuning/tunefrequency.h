#pragma once

#include <QByteArray>
#include <QString>

// How many entries the quick scan and the skip list hold: lines 0 to 1000.
inline constexpr int tuningEntryCount = 1001;

// True when a typed text can be a frequency: it holds a "." somewhere.
bool hasPoint(const QString &typed);

// A typed frequency in MHz as the radio's digits: the piece before the first
// "." left-padded with "0" to four characters, then the piece up to a second
// "." right-padded with "0" to four characters, without the point. "155.52"
// gives "01555200". Nothing is shortened or checked: "155.52500" gives nine
// characters, letters and spaces pass through.
QString FormatTuneFrequency(const QString &typed);

// The radio's quick-search command for a frequency and a modulation ("FM",
// "NFM", "WFM", "AM" or empty), without the CR:
// "QSH,01555200,0,NFM,0,.,.,.,.,.".
QByteArray BuildQuickSearchCommand(const QString &frequency, const QString &modulation);

// The modulation of a panel's list index: 0 "FM", 1 "NFM", 2 "WFM", 3 "AM";
// any other index (no selection) gives the empty text.
QString modulationOfIndex(int index);
