#include "poll/repeatedreplies.h"

const std::optional<ReplySet> &RepeatedReplies::split(const QByteArray &raw)
{
    if (!m_split || raw != m_raw) {
        m_raw = raw;
        m_set = splitReplySet(raw);
        m_split = true;
        m_described = false;
    }
    return m_set;
}

const QString &RepeatedReplies::debugText()
{
    if (!m_described && m_set) {
        m_debugText = debugBoxText(*m_set, m_raw);
        m_described = true;
    }
    return m_debugText;
}

const SixLineScreen &RepeatedReplies::sixLineScreen(const QList<QByteArray> &sts)
{
    if (!m_decoded || sts != m_decodedSts) {
        m_screen = decodeSixLineScreen(sts);
        m_decodedSts = sts;
        m_decoded = true;
    }
    return m_screen;
}
