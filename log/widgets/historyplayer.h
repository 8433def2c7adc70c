#pragma once

#include <QAudioDevice>
#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;

// Plays a hit's recording through the chosen sound output. The media player
// is made at the first play, so a window that never plays a recording never
// starts the sound system.
class HistoryPlayer : public QObject
{
    Q_OBJECT
public:
    explicit HistoryPlayer(QObject *parent = nullptr);

    void play(const QString &path);
    // Pauses a playing recording, goes on with a paused one.
    void togglePause();
    void setOutput(const QAudioDevice &device);

    QString playing() const { return m_path; }
    // Null until the first play.
    QMediaPlayer *mediaPlayer() const { return m_player; }

private:
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_output = nullptr;
    QAudioDevice m_device;
    QString m_path;
};
