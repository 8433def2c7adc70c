#pragma once

#include <QByteArray>

#include <functional>
#include <memory>

class MediaSystem;
class SampleStream;

// "Listen" for the web remote: the chosen audio input captured while a
// browser listens, handed on in blocks of about blockMs as 16-bit mono PCM
// at outputRate, whatever the input's own rate. Nothing is captured, and
// nothing costs, while stopped.
class ListenCapture
{
public:
    using Sink = std::function<void(const QByteArray &pcm)>;
    static constexpr int outputRate = 22050;
    static constexpr int blockMs = 60;

    explicit ListenCapture(Sink sink);
    ~ListenCapture();

    // Starts capturing the input; false when there is no such input or it
    // cannot be captured. A capture already running is stopped first.
    bool start(MediaSystem *media, const QByteArray &inputId);
    void stop();
    bool isCapturing() const { return m_stream != nullptr; }

    // Samples as the input delivers them, at its rate: passed on once a
    // block's worth has gathered.
    void take(int sampleRate, const QByteArray &pcm);

private:
    Sink m_sink;
    std::unique_ptr<SampleStream> m_stream;
    QByteArray m_pending;  // at outputRate
    double m_position = 0; // where the next output sample falls, in input samples
    qint16 m_last = 0;     // the input's last sample, for the block boundary
};

// 16-bit mono samples from one rate to another, by linear interpolation.
// position: where the first output sample falls, in input samples counted
// from last (at -1) and the input's first (at 0); it is left where the next
// block's first output sample falls, counted from that block's first.
QByteArray resampleLinear(const QByteArray &pcm, int fromRate, int toRate, double &position,
                          qint16 &last);
