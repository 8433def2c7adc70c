#include "alerts/alertchime.h"

#include "poll/wavefile.h"

#include <QtEndian>

#include <cmath>
#include <numbers>

QByteArray chimeWave()
{
    constexpr int rate = 22050;
    constexpr double noteSeconds = 0.18;
    constexpr double notes[] = {880.0, 1318.5};
    const int perNote = int(rate * noteSeconds);
    QByteArray samples(qsizetype(perNote) * std::size(notes) * 2, Qt::Uninitialized);
    char *out = samples.data();
    for (const double hertz : notes) {
        for (int i = 0; i < perNote; ++i) {
            // A soft start and a fading tail, so the note does not click.
            const double t = double(i) / rate;
            const double envelope = std::min(1.0, i / (rate * 0.005)) * std::exp(-t * 12.0);
            const double value = 0.5 * envelope * std::sin(2 * std::numbers::pi * hertz * t);
            qToLittleEndian<qint16>(qint16(value * 32767), out);
            out += 2;
        }
    }
    return waveHeader(rate, 1, samples.size()) + samples;
}
