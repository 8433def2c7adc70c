#include "poll/widgets/levelmeter.h"

#include "poll/mediasystem.h"

#include <QPainter>

namespace {

constexpr int clipPercent = 90;

} // namespace

LevelMeter::LevelMeter(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Input Level"));
}

LevelMeter::~LevelMeter()
{
    stopListening();
}

void LevelMeter::setInput(MediaSystem *media, const QByteArray &id)
{
    if (media == m_media && id == m_input)
        return;
    stopListening();
    m_media = media;
    m_input = id;
    if (isVisible())
        listen();
}

void LevelMeter::listen()
{
    if (m_media && !m_input.isEmpty())
        m_listener = m_media->listen(m_input, [this](int level) { showLevel(level); });
}

void LevelMeter::stopListening()
{
    m_listener.reset();
    showLevel(0);
}

void LevelMeter::showLevel(int level)
{
    if (level != m_level) {
        m_level = level;
        update();
    }
}

void LevelMeter::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_listener)
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
