#pragma once

#include <QAudioDevice>
#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;

// Plays a hit's recording through the chosen sound output.
class HistoryPlayer : public QObject
{
    Q_OBJECT
public:
    explicit HistoryPlayer(QObject *parent = nullptr);

    void play(const QString &path);
    // Pauses a playing recording, goes on with a paused one.
    void togglePause();
    void stop();
    void setOutput(const QAudioDevice &device);

    QString playing() const { return m_path; }
    QMediaPlayer *mediaPlayer() const { return m_player; }

private:
    QMediaPlayer *m_player;
    QAudioOutput *m_output;
    QString m_path;
};
