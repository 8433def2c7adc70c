#include "log/widgets/historyplayer.h"

#include "poll/widgets/mediabackend.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

HistoryPlayer::HistoryPlayer(QObject *parent) : QObject(parent) {}

void HistoryPlayer::play(const QString &path)
{
    if (!m_player) {
        chooseMediaBackend();
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        if (!m_device.isNull())
            m_output->setDevice(m_device);
        m_player->setAudioOutput(m_output);
    }
    m_path = path;
    m_player->stop();
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
}

void HistoryPlayer::togglePause()
{
    if (!m_player)
        return;
    if (m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
    else if (m_player->playbackState() == QMediaPlayer::PausedState)
        m_player->play();
}

void HistoryPlayer::setOutput(const QAudioDevice &device)
{
    m_device = device;
    if (m_output)
        m_output->setDevice(device);
}
