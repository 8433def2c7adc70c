#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The sound server the recording tests capture from: the one scripts/test
// started (its TOLLVANE_TEST_* variables), or, when a test runs by hand, one
// started here through scripts/sound-server and stopped when this object
// goes. Construct it before anything asks for audio devices: it points
// PULSE_SERVER of this process at the server.
class SoundServer
{
public:
    // Own: a server of this test's alone, for a test whose captures and
    // tones must not meet those of the tests running beside it.
    enum class Sharing { Shared, Own };
    explicit SoundServer(Sharing sharing = Sharing::Shared);
    ~SoundServer();

    bool isUp() const { return !m_fifo.isEmpty(); }
    QString errorText() const { return m_error; }
    // The id of the input fed by feed().
    QByteArray inputId() const { return m_inputId; }
    QString fifoPath() const { return m_fifo; }
    // Writes 16-bit mono 44100 Hz samples to the input. Write only while a
    // capture runs and at most 64 KiB at a time: the pipe never blocks then.
    bool feed(const QByteArray &pcm);

private:
    QTemporaryDir m_folder;
    QString m_fifo;
    QByteArray m_inputId;
    qint64 m_ownPid = 0;
    QString m_error;
};

// A sine tone as 16-bit mono little-endian samples.
QByteArray sineTone(double hertz, int milliseconds, int sampleRate = 44100, double amplitude = 0.5);

// The relative strength of one frequency in 16-bit mono samples (Goertzel).
double tonePower(const QByteArray &pcm, double hertz, int sampleRate = 44100);
