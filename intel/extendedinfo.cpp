#include "intel/extendedinfo.h"

#include "log/fixforlog.h"

#include <QDir>
#include <QStringDecoder>

namespace {

const QString captionTail = QStringLiteral(" Extended Info");

QString withoutOuterSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

ExtendedInfoLookup extendedInfoLookup(bool trunked, const QString &hitFrequency,
                                      const QString &hitSystem, const QString &receptionId,
                                      const QString &receptionSystem)
{
    ExtendedInfoLookup lookup;
    if (!trunked) {
        lookup.caption = hitFrequency + captionTail;
        lookup.key = hitFrequency;
        lookup.key.replace(u'.', u'_').remove(u' ');
        return lookup;
    }
    lookup.caption = withoutOuterSpaces(receptionSystem) + u' ' + receptionId + captionTail;
    QString system = withoutOuterSpaces(hitSystem);
    QString talkgroup = receptionId;
    lookup.key = FixForLog(system) + u'_' + FixForLog(talkgroup);
    lookup.talkgroup = talkgroup;
    return lookup;
}

QStringList extendedPicturePaths(const QString &folder, const QString &key)
{
    const QDir dir(folder);
    QStringList paths;
    for (const char *extension : {".gif", ".png", ".jpg", ".jpeg"})
        paths.append(dir.filePath(key + QLatin1String(extension)));
    return paths;
}

QString extendedTextPath(const QString &folder, const QString &key)
{
    return QDir(folder).filePath(key + QStringLiteral(".txt"));
}

QString standByPicturePath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("extended_not_avilable.gif"));
}

QString extendedTextTooLarge(const QString &path, qint64 maxBytes)
{
    return QStringLiteral("%1 is not shown: it is larger than %2 MB.")
        .arg(QDir::toNativeSeparators(path))
        .arg(maxBytes / (1024 * 1024));
}

QString decodeExtendedText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}
