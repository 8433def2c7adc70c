#pragma once

#include "poll/hitdetector.h"

#include <QString>

// The name a hit's recording is saved under: the system, group and channel
// names, the frequency, the tone, the talkgroup and the start and end times,
// each passed through FixForLog and joined by "_", then "_", the run's date
// and ".wav". An empty value leaves its place empty.
QString recordingFileName(const FinishedHit &hit, const QString &startupDate);
