#include "log/widgets/historyplayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

HistoryPlayer::HistoryPlayer(QObject *parent)
    : QObject(parent), m_player(new QMediaPlayer(this)), m_output(new QAudioOutput(this))
{
    m_player->setAudioOutput(m_output);
}

void HistoryPlayer::play(const QString &path)
{
    m_path = path;
    m_player->stop();
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
}

void HistoryPlayer::togglePause()
{
    if (m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
    else if (m_player->playbackState() == QMediaPlayer::PausedState)
        m_player->play();
}

void HistoryPlayer::stop()
{
    m_player->stop();
}

void HistoryPlayer::setOutput(const QAudioDevice &device)
{
    m_output->setDevice(device);
}
