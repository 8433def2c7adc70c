#pragma once

#include "poll/mediasystem.h"

#include <functional>

// The hit recorder as the window holds it from the start: it asks for the
// sound system's recorder at its first use, and fails each command with the
// reason when there is no sound system.
class LazyRecorder : public AudioRecorder
{
public:
    // recorder() gives the sound system's recorder, or null and why not.
    explicit LazyRecorder(std::function<InputRecorder *(QString *whyNot)> recorder)
        : m_recorder(std::move(recorder))
    {}

    bool Open(const QString &tempPath) override
    {
        return with([&](auto &r) { return r.Open(tempPath); });
    }
    bool Record() override
    {
        return with([](auto &r) { return r.Record(); });
    }
    bool stop() override
    {
        return with([](auto &r) { return r.stop(); });
    }
    bool save(const QString &path) override
    {
        return with([&](auto &r) { return r.save(path); });
    }
    void close() override
    {
        if (InputRecorder *r = m_recorder(nullptr))
            r->close();
    }
    QString errorText() const override
    {
        QString whyNot;
        const InputRecorder *r = m_recorder(&whyNot);
        return r ? r->errorText() : whyNot;
    }

private:
    template <typename Command> bool with(Command command)
    {
        InputRecorder *r = m_recorder(nullptr);
        return r && command(*r);
    }

    std::function<InputRecorder *(QString *whyNot)> m_recorder;
};
