#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Where the extended info of a hit is looked up: the frame's caption, the
// key (a file name without extension) and, for a trunked hit, the cleaned
// talkgroup the hit keeps from then on.
//
// Conventional: the caption is the frequency (display form, leading space
// kept) and " Extended Info"; the key is the frequency with "." turned into
// "_" and the spaces removed. Trunked: the caption is the system name from
// the radio's reception reply, a space, the talkgroup and " Extended Info";
// the key is the hit's system name and the talkgroup, each through
// FixForLog, joined by "_".
struct ExtendedInfoLookup
{
    QString caption;
    QString key;
    std::optional<QString> talkgroup;
};

ExtendedInfoLookup extendedInfoLookup(bool trunked, const QString &hitFrequency,
                                      const QString &hitSystem, const QString &receptionId,
                                      const QString &receptionSystem);

// The picture files for a key, in the order they are looked for: the GIF
// first, then PNG and JPEG.
QStringList extendedPicturePaths(const QString &folder, const QString &key);
QString extendedTextPath(const QString &folder, const QString &key);
// The stand-by picture shown when a hit has none of its own.
QString standByPicturePath(const QString &folder);

// Notes are a page or two; a file far larger is no notes file, and the box
// says so instead of showing it.
constexpr qint64 extendedTextMaxBytes = 4 * 1024 * 1024;
QString extendedTextTooLarge(const QString &path, qint64 maxBytes);

// A text file's bytes as text: UTF-8 when they are valid UTF-8, Latin-1
// otherwise.
QString decodeExtendedText(const QByteArray &bytes);
