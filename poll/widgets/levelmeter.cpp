#include "poll/widgets/levelmeter.h"

#include "poll/audioinputchoice.h"
#include "poll/widgets/qtaudiorecorder.h"

#include <QAudioSource>
#include <QPainter>

namespace {

constexpr int clipPercent = 90;
constexpr int blockMs = 50;

} // namespace

LevelMeter::LevelMeter(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Input Level"));
}

LevelMeter::~LevelMeter()
{
    stopListening();
}

void LevelMeter::setInput(const QAudioDevice &device)
{
    if (device == m_device)
        return;
    stopListening();
    m_device = device;
    if (isVisible())
        listen();
}

void LevelMeter::listen()
{
    const QAudioFormat format = recordingFormat(m_device);
    if (!format.isValid())
        return;
    m_source = std::make_unique<QAudioSource>(m_device, format);
    m_source->setBufferSize(format.bytesForDuration(blockMs * 2000));
    m_samples = m_source->start();
    if (!m_samples) {
        m_source.reset();
        return;
    }
    connect(m_samples, &QIODevice::readyRead, this, &LevelMeter::takeSamples);
}

void LevelMeter::stopListening()
{
    if (m_samples)
        m_samples->disconnect(this);
    m_samples = nullptr;
    m_source.reset();
    if (m_level != 0) {
        m_level = 0;
        update();
    }
}

void LevelMeter::takeSamples()
{
    const int level = peakPercent(m_samples->readAll());
    if (level != m_level) {
        m_level = level;
        update();
    }
}

void LevelMeter::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_samples)
        listen();
}

void LevelMeter::hideEvent(QHideEvent *event)
{
    stopListening();
    QWidget::hideEvent(event);
}

void LevelMeter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, QColor(0x20, 0x20, 0x20));
    QRect bar = frame.adjusted(1, 1, 0, 0);
    bar.setWidth(bar.width() * m_level / 100);
    painter.fillRect(bar,
                     m_level >= clipPercent ? QColor(0xd0, 0x30, 0x30) : QColor(0x40, 0xc0, 0x40));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(frame);
}
