#include "poll/media/qtaudiorecorder.h"

#include "poll/recordingmove.h"
#include "poll/wavefile.h"

#include <QAudioSource>
#include <QMediaDevices>
#include <QSaveFile>

namespace {

constexpr int defaultRate = 44100;
// About 40 ms of samples per block at 44.1 kHz: a recording starts and
// ends within a poll tick, yet the input wakes the program rarely.
constexpr int blockMs = 40;

} // namespace

QAudioFormat recordingFormat(const QAudioDevice &device)
{
    QAudioFormat format;
    const int preferred = device.preferredFormat().sampleRate();
    format.setSampleRate(preferred > 0 ? preferred : defaultRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(format))
        return {};
    return format;
}

QtAudioRecorder::QtAudioRecorder(QObject *parent) : QObject(parent) {}

void QtAudioRecorder::setInput(const QByteArray &id)
{
    m_device = {};
    for (const QAudioDevice &device : QMediaDevices::audioInputs())
        if (!id.isEmpty() && device.id() == id)
            m_device = device;
}

QtAudioRecorder::~QtAudioRecorder()
{
    close();
}

bool QtAudioRecorder::fail(const QString &why)
{
    m_error = why;
    return false;
}

bool QtAudioRecorder::Open(const QString &tempPath)
{
    close();
    m_error.clear();
    if (m_device.isNull())
        return fail(QStringLiteral("no audio input was found"));
    m_format = recordingFormat(m_device);
    if (!m_format.isValid())
        return fail(QStringLiteral("the input %1 does not record 16-bit sound")
                        .arg(m_device.description()));
    m_tempPath = tempPath;
    if (!tempPath.isEmpty()) {
        m_file = std::make_unique<QSaveFile>(tempPath);
        if (!m_file->open(QIODevice::WriteOnly) ||
            m_file->write(waveHeader(m_format.sampleRate(), 1, 0)) < 0) {
            const QString why = m_file->errorString();
            m_file.reset();
            return fail(why);
        }
    }
    m_source = std::make_unique<QAudioSource>(m_device, m_format);
    m_source->setBufferSize(m_format.bytesForDuration(blockMs * 2000));
    return true;
}

bool QtAudioRecorder::Record()
{
    if (!m_source)
        return fail(QStringLiteral("the recorder is not open"));
    m_bytes = 0;
    m_firstSampleNs = -1;
    m_writeFailed = false;
    m_stopped = false;
    m_sinceRecord.start();
    m_samples = m_source->start();
    if (!m_samples || m_source->error() != QAudio::NoError)
        return fail(QStringLiteral("the input %1 cannot be opened").arg(m_device.description()));
    connect(m_samples, &QIODevice::readyRead, this, &QtAudioRecorder::takeSamples);
    return true;
}

void QtAudioRecorder::takeSamples()
{
    if (!m_samples)
        return;
    const QByteArray block = m_samples->readAll();
    if (block.isEmpty())
        return;
    if (m_firstSampleNs < 0) {
        m_firstSampleNs = m_sinceRecord.nsecsElapsed();
        Q_EMIT firstSamples();
    }
    m_bytes += block.size();
    if (m_file && !m_writeFailed && m_file->write(block) != block.size())
        m_writeFailed = true;
}

bool QtAudioRecorder::stop()
{
    if (!m_source || !m_samples)
        return fail(QStringLiteral("nothing is being recorded"));
    takeSamples();
    m_samples->disconnect(this);
    m_source->stop();
    m_samples = nullptr;
    m_stopped = true;
    if (!m_file)
        return true;
    if (m_writeFailed) {
        const QString why = m_file->errorString();
        m_file.reset();
        return fail(why);
    }
    // A flush that fails on a full disk is not remembered by commit(), so
    // the samples must be seen in the file before the header claims them.
    const QByteArray header = waveHeader(m_format.sampleRate(), 1, m_bytes);
    const bool whole = m_file->flush() && m_file->size() == header.size() + m_bytes;
    const bool ok = whole && m_file->seek(0) && m_file->write(header) == header.size() &&
                    m_file->flush() && m_file->commit();
    const QString why = whole || m_file->error() != QFileDevice::NoError
                            ? m_file->errorString()
                            : QStringLiteral("not all the sound reached the file");
    m_file.reset();
    return ok || fail(why);
}

bool QtAudioRecorder::save(const QString &path)
{
    if (!m_stopped || m_tempPath.isEmpty())
        return fail(QStringLiteral("nothing was recorded"));
    return moveRecordingFile(m_tempPath, path, &m_error);
}

void QtAudioRecorder::close()
{
    if (m_samples)
        m_samples->disconnect(this);
    m_samples = nullptr;
    m_source.reset();
    // A capture never stopped is thrown away with its unfinished file.
    m_file.reset();
    m_stopped = false;
}
