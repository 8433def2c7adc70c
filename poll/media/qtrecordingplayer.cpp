#include "poll/media/qtrecordingplayer.h"

#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

QtRecordingPlayer::QtRecordingPlayer(QObject *parent) : QObject(parent) {}

QtRecordingPlayer::~QtRecordingPlayer()
{
    // The player stops as it goes; nobody is told of that any more.
    if (m_player)
        disconnect(m_player, nullptr, this, nullptr);
}

void QtRecordingPlayer::play(const QString &path)
{
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        if (!m_device.isNull())
            m_output->setDevice(m_device);
        m_player->setAudioOutput(m_output);
        const auto changed = [this] {
            if (m_changed)
                m_changed(false);
        };
        connect(m_player, &QMediaPlayer::playbackStateChanged, this, changed);
        connect(m_player, &QMediaPlayer::positionChanged, this, changed);
        connect(m_player, &QMediaPlayer::durationChanged, this, changed);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus status) {
                    if (status == QMediaPlayer::EndOfMedia && m_changed)
                        m_changed(true);
                });
    }
    m_player->stop();
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
}

void QtRecordingPlayer::togglePause()
{
    if (!m_player)
        return;
    if (m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
    else if (m_player->playbackState() == QMediaPlayer::PausedState)
        m_player->play();
}

void QtRecordingPlayer::stop()
{
    if (m_player)
        m_player->stop();
}

RecordingPlayer::State QtRecordingPlayer::state() const
{
    if (!m_player)
        return State::Stopped;
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState:
        return State::Playing;
    case QMediaPlayer::PausedState:
        return State::Paused;
    default:
        return State::Stopped;
    }
}

qint64 QtRecordingPlayer::positionMs() const
{
    return m_player ? m_player->position() : 0;
}

qint64 QtRecordingPlayer::durationMs() const
{
    return m_player ? m_player->duration() : 0;
}

void QtRecordingPlayer::onChanged(std::function<void(bool ended)> changed)
{
    m_changed = std::move(changed);
}

void QtRecordingPlayer::setOutput(const QByteArray &id)
{
    m_device = {};
    for (const QAudioDevice &device : QMediaDevices::audioOutputs())
        if (device.id() == id)
            m_device = device;
    if (m_output)
        m_output->setDevice(m_device.isNull() ? QMediaDevices::defaultAudioOutput() : m_device);
}
