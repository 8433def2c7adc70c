// The sound module: Qt Multimedia behind the program's MediaSystem. The
// program loads it the first time it needs sound.
#include "poll/audioinputchoice.h"
#include "poll/media/mediabackend.h"
#include "poll/media/qtaudiorecorder.h"
#include "poll/media/qtrecordingplayer.h"
#include "poll/mediasystem.h"

#include <QAudioSource>
#include <QMediaDevices>

namespace {

constexpr int levelBlockMs = 50;

QList<AudioDeviceEntry> entriesOf(const QList<QAudioDevice> &devices)
{
    QList<AudioDeviceEntry> entries;
    for (const QAudioDevice &device : devices)
        entries.append({device.id(), device.description()});
    return entries;
}

class QtLevelListener : public QObject, public LevelListener
{
public:
    bool start(const QAudioDevice &device, std::function<void(int)> level)
    {
        const QAudioFormat format = recordingFormat(device);
        if (!format.isValid())
            return false;
        m_source = std::make_unique<QAudioSource>(device, format);
        m_source->setBufferSize(format.bytesForDuration(levelBlockMs * 2000));
        QIODevice *samples = m_source->start();
        if (!samples)
            return false;
        connect(samples, &QIODevice::readyRead, this,
                [samples, level] { level(peakPercent(samples->readAll())); });
        return true;
    }

private:
    std::unique_ptr<QAudioSource> m_source;
};

class QtSampleStream : public QObject, public SampleStream
{
public:
    bool start(const QAudioDevice &device, std::function<void(int, const QByteArray &)> samples)
    {
        const QAudioFormat format = recordingFormat(device);
        if (!format.isValid())
            return false;
        m_source = std::make_unique<QAudioSource>(device, format);
        m_source->setBufferSize(format.bytesForDuration(levelBlockMs * 2000));
        QIODevice *input = m_source->start();
        if (!input)
            return false;
        const int rate = format.sampleRate();
        connect(input, &QIODevice::readyRead, this, [input, rate, samples] {
            const QByteArray pcm = input->readAll();
            if (!pcm.isEmpty())
                samples(rate, pcm);
        });
        return true;
    }

private:
    std::unique_ptr<QAudioSource> m_source;
};

class QtMediaSystem : public MediaSystem
{
public:
    QtMediaSystem() { chooseMediaBackend(); }

    QList<AudioDeviceEntry> audioInputs() const override
    {
        return entriesOf(QMediaDevices::audioInputs());
    }
    QByteArray defaultAudioInput() const override
    {
        return QMediaDevices::defaultAudioInput().id();
    }
    QList<AudioDeviceEntry> audioOutputs() const override
    {
        return entriesOf(QMediaDevices::audioOutputs());
    }
    QByteArray defaultAudioOutput() const override
    {
        return QMediaDevices::defaultAudioOutput().id();
    }
    void onAudioInputsChanged(std::function<void()> changed) override
    {
        QObject::connect(&m_devices, &QMediaDevices::audioInputsChanged, &m_devices,
                         std::move(changed));
    }
    std::unique_ptr<InputRecorder> makeRecorder() override
    {
        return std::make_unique<QtAudioRecorder>();
    }
    std::unique_ptr<RecordingPlayer> makePlayer() override
    {
        return std::make_unique<QtRecordingPlayer>();
    }
    std::unique_ptr<LevelListener> listen(const QByteArray &inputId,
                                          std::function<void(int)> level) override
    {
        for (const QAudioDevice &device : QMediaDevices::audioInputs()) {
            if (device.id() != inputId)
                continue;
            auto listener = std::make_unique<QtLevelListener>();
            if (listener->start(device, std::move(level)))
                return listener;
        }
        return nullptr;
    }

    std::unique_ptr<SampleStream>
    stream(const QByteArray &inputId, std::function<void(int, const QByteArray &)> samples) override
    {
        for (const QAudioDevice &device : QMediaDevices::audioInputs()) {
            if (device.id() != inputId)
                continue;
            auto stream = std::make_unique<QtSampleStream>();
            if (stream->start(device, std::move(samples)))
                return stream;
        }
        return nullptr;
    }

private:
    QMediaDevices m_devices;
};

} // namespace

extern "C" Q_DECL_EXPORT MediaSystem *tollvane_media_system()
{
    return new QtMediaSystem;
}
