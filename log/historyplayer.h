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
    // Where the sound system comes from (null: none, nothing plays).
    std::function<MediaSystem *()> mediaSystem;

    // False when there is no sound system to play it with.
    bool play(const QString &path);
    // Pauses a playing recording, goes on with a paused one.
    void togglePause();
    // The output of that id; empty for the system's default.
    void setOutput(const QByteArray &id);

    QString playing() const { return m_path; }
    // Null until the first play.
    RecordingPlayer *backend() const { return m_backend.get(); }

private:
    std::unique_ptr<RecordingPlayer> m_backend;
    QByteArray m_output;
    QString m_path;
};
