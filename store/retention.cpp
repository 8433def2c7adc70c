#include "store/retention.h"

#include <QLocale>

namespace {

constexpr qint64 secondsPerDay = 24 * 60 * 60;
constexpr qint64 bytesPerGigabyte = 1000LL * 1000 * 1000;

} // namespace

QList<KeptRecording> recordingsToDelete(const QList<KeptRecording> &oldestFirst, qint64 totalBytes,
                                        const RetentionLimits &limits, qint64 nowUtc)
{
    qint64 total = totalBytes;
    const qint64 oldest = nowUtc - qint64(limits.days) * secondsPerDay;
    const qint64 most = qint64(limits.gigabytes) * bytesPerGigabyte;
    QList<KeptRecording> doomed;
    for (const KeptRecording &recording : oldestFirst) {
        const bool tooOld = limits.days > 0 && recording.startUtc < oldest;
        const bool tooMuch = limits.gigabytes > 0 && total > most;
        if (!tooOld && !tooMuch)
            break;
        doomed.append(recording);
        total -= recording.bytes;
    }
    return doomed;
}

QString freedText(int recordings, qint64 bytes)
{
    return QStringLiteral("Deleted %1 %2 (%3 freed)")
        .arg(recordings)
        .arg(recordings == 1 ? QStringLiteral("old recording") : QStringLiteral("old recordings"))
        .arg(QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat));
}

RetentionLimits readRetentionLimits(const QByteArray &file)
{
    const QList<QByteArray> lines = file.split('\n');
    RetentionLimits limits;
    limits.days = qMax(0, lines.value(0).trimmed().toInt());
    limits.gigabytes = qMax(0, lines.value(1).trimmed().toInt());
    return limits;
}

QByteArray writeRetentionLimits(const RetentionLimits &limits)
{
    return QByteArray::number(limits.days) + "\r\n" + QByteArray::number(limits.gigabytes) + "\r\n";
}
