#pragma once

#include <QByteArray>

// The built-in alert sound: a short two-note chime as a 16-bit mono wave
// file, made when first needed.
QByteArray chimeWave();
