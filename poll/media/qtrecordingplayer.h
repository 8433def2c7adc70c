#pragma once

#include "poll/mediasystem.h"

#include <QAudioDevice>
#include <QObject>

class QAudioOutput;
class QMediaPlayer;

// Plays a hit's recording through the chosen sound output with Qt's media
// player, made at the first play.
class QtRecordingPlayer : public QObject, public RecordingPlayer
{
    Q_OBJECT
public:
    explicit QtRecordingPlayer(QObject *parent = nullptr);
    ~QtRecordingPlayer() override;

    void play(const QString &path) override;
    void togglePause() override;
    void stop() override;
    void setOutput(const QByteArray &id) override;
    State state() const override;
    qint64 positionMs() const override;
    qint64 durationMs() const override;
    void onChanged(std::function<void(bool ended)> changed) override;

    // Null until the first play.
    QMediaPlayer *mediaPlayer() const { return m_player; }

private:
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_output = nullptr;
    QAudioDevice m_device;
    std::function<void(bool ended)> m_changed;
};
