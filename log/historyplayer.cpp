#include "log/historyplayer.h"

bool HistoryPlayer::play(const QString &path)
{
    if (!m_backend) {
        MediaSystem *media = mediaSystem ? mediaSystem() : nullptr;
        if (!media)
            return false;
        m_backend = media->makePlayer();
        m_backend->setOutput(m_output);
    }
    m_path = path;
    m_backend->play(path);
    return true;
}

void HistoryPlayer::togglePause()
{
    if (m_backend)
        m_backend->togglePause();
}

void HistoryPlayer::setOutput(const QByteArray &id)
{
    m_output = id;
    if (m_backend)
        m_backend->setOutput(id);
}
