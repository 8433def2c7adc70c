#pragma once

#include <QString>

// The recorder a hit's sound is captured with. Each command answers true
// when it was carried out; errorText() says why the last one was not.
//
// Open: take the chosen audio input and a temporary file (none for an empty
// path: the audio set-up only tries the input). Record: start capturing into
// that file. stop: stop capturing; the temporary file is then a complete
// wave file. save: put that file at the given path. close: release the input
// and throw away a capture that was never stopped.
class AudioRecorder
{
public:
    virtual ~AudioRecorder() = default;

    virtual bool Open(const QString &tempPath) = 0;
    virtual bool Record() = 0;
    virtual bool stop() = 0;
    virtual bool save(const QString &path) = 0;
    virtual void close() = 0;
    virtual QString errorText() const = 0;
};
