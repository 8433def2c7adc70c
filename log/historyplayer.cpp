#include "log/historyplayer.h"

#include "log/historyhit.h"

bool HistoryPlayer::play(const QString &path)
{
    if (!m_backend) {
        MediaSystem *media = mediaSystem ? mediaSystem() : nullptr;
        if (!media)
            return false;
        m_backend = media->makePlayer();
        m_backend->setOutput(m_output);
        m_backend->onChanged([this](bool ended) {
            if (changed)
                changed(ended);
        });
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

void HistoryPlayer::stop()
{
    if (m_backend)
        m_backend->stop();
}

void HistoryPlayer::setOutput(const QByteArray &id)
{
    m_output = id;
    if (m_backend)
        m_backend->setOutput(id);
}

QString playbackTimeText(qint64 positionMs, qint64 durationMs)
{
    if (durationMs <= 0 && positionMs <= 0)
        return {};
    return durationText(positionMs / 1000) + QStringLiteral(" / ") +
           durationText((durationMs + 999) / 1000);
}
