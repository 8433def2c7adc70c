#pragma once

#include <QByteArray>
#include <QString>

// The 44-byte header of a 16-bit PCM wave file holding dataBytes of
// samples. Sizes beyond what the header can hold are cut to its limit.
QByteArray waveHeader(int sampleRate, int channels, qint64 dataBytes);
