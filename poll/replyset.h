#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The three replies one poll reads back, split into their comma fields. The
// replies are told apart only by their place in the text read: screen (STS),
// reception (GLG), frequency (WIN). The first field of each is the echoed
// command word and is never looked at.
struct ReplySet
{
    QList<QByteArray> sts;
    QList<QByteArray> glg;
    QList<QByteArray> win;
};

// Splits what the poll read at CR. Exactly three reply lines, each ended by
// its CR and with nothing after the last one, form a reply set; anything
// else (a partial reply, the replies of two polls, the answer to a key
// press that got in between, a byte below 0x20 other than a reply's own
// CR) gives nothing and the text is dropped. An empty line gives an empty
// field list.
std::optional<ReplySet> splitReplySet(const QByteArray &raw);

// Splits one reply line at ",". An empty line has no fields.
QList<QByteArray> splitFields(const QByteArray &line);

// The shapes the poll accepts.
bool isSixLineScreen(const QList<QByteArray> &sts);  // 18 fields
bool isFourLineScreen(const QList<QByteArray> &sts); // 14 fields
bool isReceptionReply(const QList<QByteArray> &glg); // 10 fields
bool isFrequencyReply(const QList<QByteArray> &win); // 3 fields

// The diagnostic line of one poll: the highest index of the screen fields,
// " - ", then the whole text read ("17 - STS,...\rGLG,...\rWIN,...\r").
QString debugBoxText(const ReplySet &set, const QByteArray &raw);
