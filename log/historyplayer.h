#pragma once

#include "poll/mediasystem.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// Plays a hit's recording through the chosen sound output. The sound
// system's player is made at the first play, so a window that never plays
// a recording never starts the sound system.
class HistoryPlayer
{
public:
    using State = RecordingPlayer::State;

    // Where the sound system comes from (null: none, nothing plays).
    std::function<MediaSystem *()> mediaSystem;
    // Told of every change of the state, the position or the length; ended
    // is true once when a recording has played to its end.
    std::function<void(bool ended)> changed;

    // False when there is no sound system to play it with.
    bool play(const QString &path);
    // Pauses a playing recording, goes on with a paused one.
    void togglePause();
    void stop();
    // The output of that id; empty for the system's default.
    void setOutput(const QByteArray &id);

    QString playing() const { return m_path; }
    State state() const { return m_backend ? m_backend->state() : State::Stopped; }
    qint64 positionMs() const { return m_backend ? m_backend->positionMs() : 0; }
    qint64 durationMs() const { return m_backend ? m_backend->durationMs() : 0; }
    // Null until the first play.
    RecordingPlayer *backend() const { return m_backend.get(); }

private:
    std::unique_ptr<RecordingPlayer> m_backend;
    QByteArray m_output;
    QString m_path;
};

// "0:03 / 0:13": where a playing recording is and how long it is, in whole
// seconds (a started second counts for the length); "" before anything plays.
QString playbackTimeText(qint64 positionMs, qint64 durationMs);
