#include "poll/hitdetector.h"

#include "poll/frequencyformat.h"
#include "poll/radiotext.h"

#include <QStringList>

namespace {

constexpr qsizetype frequencyDigits = 8;
constexpr char16_t upArrow = 0x81;

constexpr QByteArrayView closeCallScreen = " Press Any Key  ";
constexpr QByteArrayView idPrefix = "ID:";
constexpr QByteArrayView noTone = "0";
constexpr QLatin1String closeCall("Close Call");
constexpr QLatin1String searchGroup("Search");
constexpr QLatin1String p25Tone("P25");
constexpr QLatin1String notAvailable("NA");

// Spaces only, like the radio pads its lines; other blanks stay.
QString trimmedSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.sliced(begin, end - begin);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool allDigits(QByteArrayView text)
{
    for (const char c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

// Some firmware writes a conventional channel's frequency in GLG field 1
// with a point ("0463.0000"); a talkgroup never has that form. Gives the
// radio's usual eight digits for it, the field as it is otherwise.
QByteArray receptionDigits(const QByteArray &field)
{
    if (field.size() == 9 && field.at(4) == '.' && allDigits(field.first(4)) &&
        allDigits(field.last(4)))
        return field.first(4) + field.last(4);
    return field;
}

// A TAB, CR or LF inside a name would shift the log's columns or split its
// line. The radio's bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D stand for C1
// control characters, which go the same way as C0 and DEL.
QString withoutControls(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f))
            c = QLatin1Char(' ');
    }
    return text;
}

// Takes a name the first time its field has one.
void takeName(bool &have, QString &name, const QByteArray &field)
{
    if (have || !name.isEmpty())
        return;
    name = radioText(field);
    if (!name.isEmpty())
        have = true;
}

} // namespace

bool isActivityField(const QByteArray &field)
{
    const QByteArray text = field.trimmed();
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == '+' || text.at(i) == '-'))
        ++i;
    bool anyDigit = false;
    bool nonZero = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (isDigit(c)) {
            anyDigit = true;
            nonZero = nonZero || c != '0';
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return true;
    if (i < text.size() && (text.at(i) == 'e' || text.at(i) == 'E')) {
        ++i;
        if (i < text.size() && (text.at(i) == '+' || text.at(i) == '-'))
            ++i;
        const qsizetype exponentStart = i;
        while (i < text.size() && isDigit(text.at(i)))
            ++i;
        if (i == exponentStart)
            return true;
    }
    if (i != text.size())
        return true;
    return !nonZero;
}

QString hitLogLine(const HitState &state, const QString &startupDate)
{
    const QString frequency = state.trunked_hit || !state.have_channel_frequency
                                  ? state.hit_frequency
                                  : state.channel_frequency;
    const QStringList columns = {state.hit_system + QStringLiteral(" / ") + state.hit_group,
                                 state.hit_channel,
                                 frequency,
                                 state.trunked_hit ? state.hit_talkgroup : state.hit_tone,
                                 state.hit_start_time,
                                 state.hit_end_time,
                                 startupDate};
    QString line;
    for (const QString &column : columns) {
        if (!line.isEmpty())
            line += QLatin1Char('\t');
        line += withoutControls(column);
    }
    return line + QStringLiteral("\r\n");
}

HitTickResult HitDetector::tick(const QList<QByteArray> &sts, const QList<QByteArray> &glg,
                                const QList<QByteArray> &win, const QString &timeOfDay,
                                const QString &startupDate)
{
    HitTickResult result;

    const QByteArray winFrequency = win.value(2);
    m_state.win_frequency_raw = radioText(winFrequency.left(frequencyDigits));
    const QString shown = FormatDisplayFrequency(radioText(winFrequency));
    if (isDisplayFrequency(shown)) {
        m_state.hit_frequency = shown;
        result.freqText = shown;
    }

    if (m_state.hit_active)
        capture(sts, glg, timeOfDay, result);

    if (isActivityField(sts.value(15)))
        whileActive(sts, result);
    else if (m_state.hit_active)
        end(timeOfDay, startupDate, result);
    else
        m_state.hit_active = false;
    return result;
}

void HitDetector::capture(const QList<QByteArray> &sts, const QList<QByteArray> &glg,
                          const QString &timeOfDay, HitTickResult &result)
{
    if (m_state.hit_start_time.isEmpty())
        m_state.hit_start_time = timeOfDay;
    takeName(m_state.have_system, m_state.hit_system, glg.value(5));
    takeName(m_state.have_group, m_state.hit_group, glg.value(6));
    takeName(m_state.have_channel, m_state.hit_channel, glg.value(7));
    if (!m_state.have_code && !glg.value(4).isEmpty())
        captureCode(sts, glg);

    if (sts.value(6) == closeCallScreen) {
        result.commands.append(QByteArrayLiteral("KEY,E,P"));
        m_state.hit_system = closeCall;
        m_state.hit_group = m_state.hit_system;
        m_state.hit_channel = m_state.hit_system;
    }
}

void HitDetector::captureCode(const QList<QByteArray> &sts, const QList<QByteArray> &glg)
{
    const QByteArray reception = glg.value(1);
    const QByteArray code = glg.value(4);
    const QString receptionHead = radioText(receptionDigits(reception).left(frequencyDigits));

    if (m_state.win_frequency_raw == receptionHead) {
        const QString channel = FormatDisplayFrequency(receptionHead);
        if (isDisplayFrequency(channel)) {
            m_state.channel_frequency = channel;
            m_state.have_channel_frequency = true;
        }
        if (code != noTone && m_state.hit_tone != p25Tone) {
            m_state.hit_tone = toneName(radioText(code));
            m_state.have_code = true;
        }
        return;
    }

    if (!m_state.trunk_system_seen && !m_state.hit_system.isEmpty())
        m_state.trunk_system_seen = true;
    const QByteArray line3 = sts.value(6);
    if (line3.startsWith(idPrefix)) {
        m_state.hit_group = searchGroup;
        m_state.have_group = true;
        m_state.hit_channel = trimmedSpaces(radioText(line3));
        m_state.have_channel = true;
    }
    if (m_state.hit_talkgroup.isEmpty()) {
        m_state.hit_talkgroup = radioText(reception);
        if (!m_state.hit_talkgroup.isEmpty())
            m_state.have_code = true;
    }
    m_state.trunked_hit = true;
}

void HitDetector::whileActive(const QList<QByteArray> &sts, HitTickResult &result)
{
    m_state.hit_active = true;

    if (m_skipCheck) {
        const int matches =
            m_skipCheck(m_state.win_frequency_raw, m_state.hit_talkgroup, radioText(sts.value(3)));
        for (int i = 0; i < matches; ++i) {
            result.commands.append(QByteArrayLiteral("KEY,>,P"));
            m_state.hit_skipped = true;
        }
    }

    result.recordingStart = !m_state.hit_skipped;

    if (!m_state.extended_info_shown && m_state.have_system &&
        (!m_state.trunked_hit || m_state.trunk_system_seen)) {
        result.showExtendedInfo = true;
        m_state.extended_info_shown = true;
    }
}

void HitDetector::end(const QString &timeOfDay, const QString &startupDate, HitTickResult &result)
{
    m_state.hit_end_time = timeOfDay;
    m_state.hit_system = trimmedSpaces(m_state.hit_system);
    m_state.hit_group = trimmedSpaces(m_state.hit_group);
    m_state.hit_channel = trimmedSpaces(m_state.hit_channel);

    if (!m_state.hit_skipped) {
        m_state.hit_channel.remove(QChar(upArrow));
        for (QString *name : {&m_state.hit_system, &m_state.hit_group, &m_state.hit_channel}) {
            if (name->isEmpty())
                *name = notAvailable;
        }
        if (m_state.hit_system == notAvailable && m_state.hit_group == notAvailable &&
            m_state.hit_channel == notAvailable)
            m_state.hit_skipped = true;
        else
            result.logLine = hitLogLine(m_state, startupDate);
    }

    result.ended = FinishedHit{m_state.hit_system,     m_state.hit_group,    m_state.hit_channel,
                               m_state.hit_frequency,  m_state.hit_tone,     m_state.hit_talkgroup,
                               m_state.hit_start_time, m_state.hit_end_time, m_state.hit_skipped,
                               m_state.trunked_hit};

    HitState idle;
    idle.channel_frequency = m_state.channel_frequency;
    idle.trunk_system_seen = m_state.trunk_system_seen;
    idle.win_frequency_raw = m_state.win_frequency_raw;
    m_state = idle;
}

void HitDetector::setSkipCheck(SkipCheck check)
{
    m_skipCheck = std::move(check);
}

void HitDetector::screenShowsP25(bool shown)
{
    // A hit's first poll captures nothing yet, so its start time is still
    // empty: its screen is the first of the hit and decides as an idle one.
    if (shown)
        m_state.hit_tone = p25Tone;
    else if (!m_state.hit_active || m_state.hit_start_time.isEmpty())
        m_state.hit_tone.clear();
}

HitTickResult HitDetector::endHitNow(const QString &timeOfDay, const QString &startupDate)
{
    HitTickResult result;
    if (m_state.hit_active)
        end(timeOfDay, startupDate, result);
    return result;
}

void HitDetector::setTalkgroup(const QString &talkgroup)
{
    m_state.hit_talkgroup = talkgroup;
}
