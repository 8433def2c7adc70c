#include "poll/listencapture.h"

#include "poll/mediasystem.h"

#include <QtEndian>

#include <cmath>

ListenCapture::ListenCapture(Sink sink) : m_sink(std::move(sink)) {}

ListenCapture::~ListenCapture() = default;

bool ListenCapture::start(MediaSystem *media, const QByteArray &inputId)
{
    stop();
    if (!media || inputId.isEmpty())
        return false;
    m_stream = media->stream(
        inputId, [this](int sampleRate, const QByteArray &pcm) { take(sampleRate, pcm); });
    return m_stream != nullptr;
}

void ListenCapture::stop()
{
    m_stream.reset();
    m_pending.clear();
    m_position = 0;
    m_last = 0;
}

void ListenCapture::take(int sampleRate, const QByteArray &pcm)
{
    if (sampleRate <= 0)
        return;
    m_pending += resampleLinear(pcm, sampleRate, outputRate, m_position, m_last);
    if (m_pending.size() < qsizetype(outputRate) * 2 * blockMs / 1000)
        return;
    m_sink(m_pending);
    m_pending.clear();
}

QByteArray resampleLinear(const QByteArray &pcm, int fromRate, int toRate, double &position,
                          qint16 &last)
{
    const qsizetype count = pcm.size() / 2;
    if (count == 0)
        return {};
    auto sample = [&](qsizetype i) {
        return i < 0 ? last : qFromLittleEndian<qint16>(pcm.constData() + 2 * i);
    };
    const double step = double(fromRate) / toRate;
    QByteArray out;
    out.reserve(qsizetype(count / step + 2) * 2);
    // Each output sample lies between input samples i and i + 1.
    while (position < double(count - 1)) {
        const qsizetype i = qsizetype(std::floor(position));
        const double part = position - double(i);
        const double value = sample(i) + (sample(i + 1) - sample(i)) * part;
        const qint16 le = qToLittleEndian(qint16(qBound(-32768.0, std::round(value), 32767.0)));
        out.append(reinterpret_cast<const char *>(&le), 2);
        position += step;
    }
    last = sample(count - 1);
    position -= double(count);
    return out;
}
