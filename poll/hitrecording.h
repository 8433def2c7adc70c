#pragma once

#include "poll/audiorecorder.h"

#include <QList>
#include <QString>

#include <functional>

// folder/fileName, or, when that file exists, the same name with " (2)",
// " (3)" ... before ".wav": an older recording is never replaced.
QString freeRecordingPath(const QString &folder, const QString &fileName,
                          const std::function<bool(const QString &path)> &exists);

// The recording of each hit: started in every poll in which a hit is active,
// stopped once when it ends. The capture goes to a temporary file "temp"
// and the counter in tempFolder, and at the end of a hit that is logged it
// is saved under the hit's name. A hit that ends skipped or nameless, or
// whose "Record Audio" was cleared meanwhile, leaves no file: its recording
// is stopped and thrown away at the end of that same hit.
//
// A recording that cannot be saved keeps its temporary file; each later
// save tries it again under its own name first, and so does finish() at
// the end of the run. Failures are reported once per failure spell: the
// first one after a saved recording (or the first of the run).
class HitRecording
{
public:
    struct Outcome
    {
        QString savedPath; // the wave file written, or empty
        bool tellUser = false;
        QString message;
        // This hit's recording could not be saved and waits for a retry: the
        // path it was meant for (its folder and name).
        QString waitingFor;
        // Recordings of earlier hits saved by a retry: the path each was
        // meant for, and the path it was saved under.
        QList<std::pair<QString, QString>> savedLater;
    };

    HitRecording(AudioRecorder &recorder, QString tempFolder);

    Outcome start(bool recordAudio, bool skipped);
    Outcome stop(bool recordAudio, bool skipped, const QString &folder, const QString &fileName);
    // The audio set-up: opens the input, starts, stops and closes it once,
    // with no file. A refusal is reported only when recording is wanted.
    Outcome setUp(bool recordAudio);
    // Drops a recording in progress (Run closes the recorder).
    void close();
    // The end of the run: one more try for the recordings not yet saved.
    Outcome finish();

    bool recording_active() const { return m_active; }
    int recording_counter() const { return m_counter; }
    int unsavedCount() const { return int(m_unsaved.size()); }

private:
    struct Unsaved
    {
        QString tempPath;
        QString folder;
        QString fileName;
    };

    Outcome failure(const QString &message);
    QString retryUnsaved(Outcome &outcome);

    AudioRecorder &m_recorder;
    QString m_tempFolder;
    bool m_active = false;
    bool m_capturing = false;
    qint16 m_counter = 1;
    QString m_tempPath;
    bool m_failing = false;
    QList<Unsaved> m_unsaved;
};

// What the user is told when a hit cannot be recorded or saved.
QString recordingStartFailureMessage(const QString &cause);
QString recordingSaveFailureMessage(const QString &path, const QString &cause);
