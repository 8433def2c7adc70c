#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Whether the radio answers while the link runs. The poll's asking starts a
// wait; the first reply line from the radio ends it. A wait of quietMs or
// more means the radio does not answer (no radio on the port, the wrong
// speed, its remote setting off, the radio switched off or its line dead),
// until its first reply. Times are milliseconds on any steady clock.
class NoAnswerWatch
{
public:
    static constexpr qint64 quietMs = 2000;

    // Run or Stop: nothing is awaited.
    void reset() { m_waitingSince.reset(); }
    // The poll asks: a wait begins unless one runs.
    void asked(qint64 nowMs);
    // Whether a reply is awaited: only then are the radio's bytes worth a look.
    bool waiting() const { return m_waitingSince.has_value(); }
    // Bytes from the radio. True when they hold a reply line: the wait ends.
    bool took(QByteArrayView bytes);
    bool silent(qint64 nowMs) const { return msToSilence(nowMs) == 0; }
    // How long until the wait makes the radio silent: 0 when it is, -1 when
    // nothing is awaited.
    qint64 msToSilence(qint64 nowMs) const;

private:
    std::optional<qint64> m_waitingSince;
};

// Whether the bytes hold a complete reply line: three capital letters (the
// command's name, or ERR) alone or before a comma, ended by CR. A line read
// at the wrong speed is garbage and almost never looks like that.
bool holdsReplyLine(QByteArrayView bytes);

// The status line's words for a radio that does not answer.
QString noAnswerText(int comPort, const QString &device, int baud);
