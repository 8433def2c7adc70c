#include "log/recordingname.h"

#include "log/fixforlog.h"

#include <QStringList>

QString recordingFileName(const FinishedHit &hit, const QString &startupDate)
{
    QStringList pieces = {hit.system, hit.group,     hit.channel,   hit.frequency,
                          hit.tone,   hit.talkgroup, hit.startTime, hit.endTime};
    for (QString &piece : pieces)
        FixForLog(piece);
    return pieces.join(u'_') + u'_' + startupDate + QStringLiteral(".wav");
}
