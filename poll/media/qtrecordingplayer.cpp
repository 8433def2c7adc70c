#include "poll/media/qtrecordingplayer.h"

#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

QtRecordingPlayer::QtRecordingPlayer(QObject *parent) : QObject(parent) {}

void QtRecordingPlayer::play(const QString &path)
{
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        if (!m_device.isNull())
            m_output->setDevice(m_device);
        m_player->setAudioOutput(m_output);
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

void QtRecordingPlayer::setOutput(const QByteArray &id)
{
    m_device = {};
    for (const QAudioDevice &device : QMediaDevices::audioOutputs())
        if (device.id() == id)
            m_device = device;
    if (m_output)
        m_output->setDevice(m_device.isNull() ? QMediaDevices::defaultAudioOutput() : m_device);
}
