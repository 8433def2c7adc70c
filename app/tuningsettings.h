#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// tuning_settings.txt: what the Tuner tab and the level lists hold, written
// at shutdown and applied at start-up, in the common settings format (one
// value a line, CR LF, text values in double quotes):
//
//   1  the first MHz field          5  the volume list's index
//   2  its modulation list's index  6  the squelch list's index
//   3  the second MHz field         7  the Auto Skip List
//   4  its modulation list's index  8  the Quick Scan List
//
// A list's text keeps its line breaks, double quotes and "%" signs as %0D,
// %0A, %22 and %25, so that it stays on its one line of the file. On reading,
// a missing line or a value out of range for its list leaves that setting
// as it is; a MHz field with anything but digits and one point is ignored.
struct TuningSettings
{
    std::optional<QString> entry1;
    std::optional<int> modulation1; // 0..3
    std::optional<QString> entry2;
    std::optional<int> modulation2;
    std::optional<int> volume; // 0..15
    std::optional<int> squelch;
    std::optional<QString> skipList;
    std::optional<QString> quickScanList;
};

TuningSettings readTuningSettings(const QByteArray &file);
// Every value is written; an absent one as an empty line, an index of
// nothing selected as -1.
QByteArray writeTuningSettings(const TuningSettings &settings);

// A list's text as one quoted line, and back.
QByteArray listLine(const QString &text);
QString listText(const QByteArray &line);
