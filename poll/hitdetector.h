#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Everything the program knows about the hit in progress. A hit is one
// transmission: from the first poll whose screen reports activity (STS
// field 15 reads 0) to the first poll that no longer does.
struct HitState
{
    bool hit_active = false;
    QString hit_system;
    QString hit_group;
    QString hit_channel;
    QString hit_talkgroup;               // GLG field 1 of a trunked hit
    QString hit_frequency;               // last frequency the radio showed, display form
    QString channel_frequency;           // GLG field 1 of a conventional hit; outlives the hit
    bool have_channel_frequency = false; // channel_frequency was read during this hit
    QString hit_tone;                    // tone name, raw tone code, or "P25"
    QString hit_start_time;
    QString hit_end_time;
    bool have_system = false;
    bool have_group = false;
    bool have_channel = false;
    bool have_code = false; // tone (conventional) or talkgroup (trunked) taken
    bool trunked_hit = false;
    bool trunk_system_seen = false; // outlives the hit
    bool hit_skipped = false;       // no log line, no saved recording
    bool extended_info_shown = false;
    QString win_frequency_raw; // first 8 characters of WIN field 2, this poll
};

// A hit as it ended: names trimmed, "NA" for a missing name (unless the hit
// was skipped). frequency is hit_frequency, the name the recording is saved
// under uses it.
struct FinishedHit
{
    QString system;
    QString group;
    QString channel;
    QString frequency;
    QString tone;
    QString talkgroup;
    QString startTime;
    QString endTime;
    bool skipped = false;
    bool trunked = false;
};

// What one poll's reception decode asks the window to do, in this order:
// send the commands, show freqText, insert the log line at the top of the
// log box, start the recording, show the extended info, stop the recording
// of the ended hit. A skipped hit (state().hit_skipped, ended->skipped) asks
// for no recording and leaves no log line; its recording, if one began
// before the skip, is not to be kept.
struct HitTickResult
{
    QList<QByteArray> commands;      // "KEY,E,P" (Close Call), "KEY,>,P" (skip list)
    std::optional<QString> freqText; // the radio's current frequency for `freq`
    QString logLine;                 // the ended hit's log line with CR LF, or empty
    bool recordingStart = false;     // the hit is active in this poll and not skipped
    bool showExtendedInfo = false;   // first poll in which the hit's system is known
    std::optional<FinishedHit> ended;
};

// The hit's log line: seven columns joined by TAB, ended by CR LF. Column 3
// and 4 are the frequency and talkgroup of a trunked hit, the channel's
// frequency and the tone of a conventional one; a conventional hit whose
// channel frequency was never read shows the frequency it was heard on.
// Control characters inside a column become spaces, so a column never
// spills into the next one or splits the line.
QString hitLogLine(const HitState &state, const QString &startupDate);

// True when STS field 15 says a transmission is being received: it reads as
// the number 0 ("0", "00", " 0", "0.0"), or it is no number at all.
bool isActivityField(const QByteArray &field);

// Follows the radio's reception from poll to poll. The caller hands in the
// fields of each poll whose replies have the right shapes (STS 18, GLG 10,
// WIN 3); polls with other shapes are not handed in and leave the state as
// it is.
class HitDetector
{
public:
    // Counts the skip list entries matching the reception: the radio's
    // frequency as eight digits, the hit's talkgroup and STS field 3.
    using SkipCheck = std::function<int(const QString &winFrequencyRaw, const QString &talkgroup,
                                        const QString &stsField3)>;

    HitTickResult tick(const QList<QByteArray> &sts, const QList<QByteArray> &glg,
                       const QList<QByteArray> &win, const QString &timeOfDay,
                       const QString &startupDate);

    // Each match the check reports sends "KEY,>,P" and marks the hit skipped.
    // Without a check nothing matches.
    void setSkipCheck(SkipCheck check);

    // Whether this poll's screen shows the P25 badge. A badge makes "P25"
    // the hit's tone; a badge seen before the hit starts counts only while
    // every screen since, the hit's first one included, has shown it too.
    void screenShowsP25(bool shown);

    // The user stopped the link or the radio went away: a hit on the air
    // ends now, at this time, as if its reception had stopped. Without a
    // hit nothing happens.
    HitTickResult endHitNow(const QString &timeOfDay, const QString &startupDate);

    // The extended info may name the talkgroup differently.
    void setTalkgroup(const QString &talkgroup);

    const HitState &state() const { return m_state; }

private:
    void capture(const QList<QByteArray> &sts, const QList<QByteArray> &glg,
                 const QString &timeOfDay, HitTickResult &result);
    void captureCode(const QList<QByteArray> &sts, const QList<QByteArray> &glg);
    void whileActive(const QList<QByteArray> &sts, HitTickResult &result);
    void end(const QString &timeOfDay, const QString &startupDate, HitTickResult &result);

    HitState m_state;
    SkipCheck m_skipCheck;
};
