#pragma once

#include "poll/mediasystem.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QElapsedTimer>
#include <QObject>

#include <memory>

class QAudioSource;
class QIODevice;
class QSaveFile;

// The hit recorder on the system's audio input: 16-bit PCM, one channel, at
// the input's own rate. The input delivers its samples through the event
// loop in small blocks, so capturing never holds up the window. The
// temporary file is a wave file whose header gets its sizes at "stop".
class QtAudioRecorder : public QObject, public InputRecorder
{
    Q_OBJECT
public:
    explicit QtAudioRecorder(QObject *parent = nullptr);
    ~QtAudioRecorder() override;

    // The input used by the next Open; a null device means there is none.
    void setInput(const QAudioDevice &device) { m_device = device; }
    // The system's input of that id; none for an id it does not know.
    void setInput(const QByteArray &id) override;
    const QAudioDevice &input() const { return m_device; }

    bool Open(const QString &tempPath) override;
    bool Record() override;
    bool stop() override;
    bool save(const QString &path) override;
    void close() override;
    QString errorText() const override { return m_error; }

    // Bytes of samples captured since Record, and the time from Record to
    // the first of them (-1 before any arrived).
    qint64 capturedBytes() const { return m_bytes; }
    qint64 nsecsToFirstSample() const { return m_firstSampleNs; }

Q_SIGNALS:
    void firstSamples();

private:
    void takeSamples();
    bool fail(const QString &why);

    QAudioDevice m_device;
    QAudioFormat m_format;
    std::unique_ptr<QAudioSource> m_source;
    std::unique_ptr<QSaveFile> m_file;
    QIODevice *m_samples = nullptr;
    QString m_tempPath;
    QString m_error;
    qint64 m_bytes = 0;
    bool m_writeFailed = false;
    bool m_stopped = false;
    QElapsedTimer m_sinceRecord;
    qint64 m_firstSampleNs = -1;
};

// The format recorded from a device: 16-bit, one channel, the device's rate
// (44100 when it names none). Invalid when the device takes no such format.
QAudioFormat recordingFormat(const QAudioDevice &device);
