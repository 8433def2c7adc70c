#pragma once

#include "poll/audiorecorder.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

// The sound system: audio inputs to record hits from, outputs to play them
// back on. It lives in a module of its own (poll/media/) that is loaded the
// first time sound is needed, so a start-up never waits for the sound
// libraries. Devices are named by the system's id; an empty id is none (for
// an input) or the system's default (for an output).

struct AudioDeviceEntry
{
    QByteArray id;
    QString description;
};

// The hit recorder, on the input chosen by id.
class InputRecorder : public AudioRecorder
{
public:
    virtual void setInput(const QByteArray &id) = 0;
};

// Plays one recording at a time through the chosen output.
class RecordingPlayer
{
public:
    virtual ~RecordingPlayer() = default;
    virtual void play(const QString &path) = 0;
    // Pauses a playing recording, goes on with a paused one.
    virtual void togglePause() = 0;
    // Stops the recording; the next play() starts one from its beginning.
    virtual void stop() = 0;
    virtual void setOutput(const QByteArray &id) = 0;

    enum class State { Stopped, Playing, Paused };
    virtual State state() const = 0;
    virtual qint64 positionMs() const = 0;
    // The recording's length; 0 while it is not known.
    virtual qint64 durationMs() const = 0;
    // Called at every change of the state, the position or the length;
    // ended is true once for a recording that played to its end.
    virtual void onChanged(std::function<void(bool ended)> changed) = 0;
};

// Listens to an input while it exists.
class LevelListener
{
public:
    virtual ~LevelListener() = default;
};

// Hands an input's samples on while it exists.
class SampleStream
{
public:
    virtual ~SampleStream() = default;
};

class MediaSystem
{
public:
    virtual ~MediaSystem() = default;

    virtual QList<AudioDeviceEntry> audioInputs() const = 0;
    virtual QByteArray defaultAudioInput() const = 0;
    virtual QList<AudioDeviceEntry> audioOutputs() const = 0;
    virtual QByteArray defaultAudioOutput() const = 0;
    // Called whenever the system's inputs change.
    virtual void onAudioInputsChanged(std::function<void()> changed) = 0;

    virtual std::unique_ptr<InputRecorder> makeRecorder() = 0;
    virtual std::unique_ptr<RecordingPlayer> makePlayer() = 0;
    // Tells the loudest sample of each block of the input, in percent of
    // full scale; null when the input cannot be listened to.
    virtual std::unique_ptr<LevelListener> listen(const QByteArray &inputId,
                                                  std::function<void(int percent)> level) = 0;
    // Hands on the input's samples as they arrive: 16-bit mono little-endian
    // PCM at the input's own rate. Null when the input cannot be captured.
    virtual std::unique_ptr<SampleStream>
    stream(const QByteArray &inputId,
           std::function<void(int sampleRate, const QByteArray &pcm)> samples) = 0;
};

// Where the program finds its sound module: beside the program's own
// folder, ../<libdir>/tollvane/.
QString mediaModulePath();

// Loads the sound module from that file. Null when it cannot be loaded;
// *error then says why.
std::unique_ptr<MediaSystem> loadMediaSystem(const QString &path = mediaModulePath(),
                                             QString *error = nullptr);

// The name of the module's entry point: a function taking nothing and
// returning a new MediaSystem.
inline constexpr char mediaSystemEntry[] = "tollvane_media_system";
