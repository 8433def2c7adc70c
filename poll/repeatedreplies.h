#pragma once

#include "poll/displaydecode.h"
#include "poll/replyset.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The last poll's replies, kept split, described and decoded. While the
// radio holds a channel or its screen stands still, a tick reads the same
// bytes as the last one: they are not split, described or decoded again.
class RepeatedReplies
{
public:
    // The reply set of the bytes read, as splitReplySet gives it.
    const std::optional<ReplySet> &split(const QByteArray &raw);
    // The diagnostic line of the bytes last split (debugBoxText).
    const QString &debugText();
    // The six-line screen of the screen fields (decodeSixLineScreen).
    const SixLineScreen &sixLineScreen(const QList<QByteArray> &sts);

private:
    QByteArray m_raw;
    std::optional<ReplySet> m_set;
    bool m_split = false;
    QString m_debugText;
    bool m_described = false;
    QList<QByteArray> m_decodedSts;
    SixLineScreen m_screen;
    bool m_decoded = false;
};
