#pragma once

#include "intel/harvestwalk.h"

#include <QString>

// The progress display: the counts found so far, then the system, group and
// channel the walk is at, or the state given instead ("Done!").
QString harvestProgressText(const HarvestProgress &progress, const QString &state = {});

// The message at the end of a harvest: "Hit Inteligence Updated", and when
// lists of the radio could not be read to their end, how many.
QString harvestEndMessage(int chainsCut);
