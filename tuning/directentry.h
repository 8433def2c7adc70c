#pragma once

#include <QString>
#include <QStringView>

// What a text typed into a MHz field is worth. The fields take digits and
// one point: up to four digits before the point and four after it, the
// radio's eight digits. Anything else is refused as it is typed; a text that
// could still become a frequency (empty, no point yet, the point alone) is
// incomplete and is not tuned.
enum class DirectEntryState { Refused, Incomplete, Complete };

DirectEntryState checkDirectEntry(QStringView typed);

// What the fields take, in words.
inline constexpr QStringView directEntryRule =
    u"MHz takes digits and one point, 4 digits at most each side";

// Why a MHz text is not tuned, in a few words for the status line ("no MHz
// typed", "MHz needs a point, e.g. 155.52"); empty when it is complete.
QString directEntryProblem(QStringView typed);

// What a hit's log line (its seven TAB-separated fields, without CR LF)
// offers the tuning tools: its frequency in MHz as typed into a list
// ("460.1000", without the display's leading spaces), and its talkgroup ID.
// The fourth field of a conventional hit holds its tone ("C67.0", "D023",
// "P25"), not a talkgroup: then talkgroup is empty. Either is empty when the
// line has none.
struct LoggedHitTuning
{
    QString frequency;
    QString talkgroup;
};

LoggedHitTuning loggedHitTuning(const QString &logLine);
