#include "intel/harvestmessages.h"

#include "poll/radiotext.h"

QString harvestProgressText(const HarvestProgress &progress, const QString &state)
{
    QString where = state;
    if (where.isEmpty()) {
        QStringList names;
        for (const QByteArray *name : {&progress.system, &progress.group, &progress.channel}) {
            if (!name->isEmpty())
                names.append(radioText(*name));
        }
        where = names.join(QStringLiteral(" / "));
    }
    return QStringLiteral("Systems: %1   Groups: %2   Channels: %3\n%4")
        .arg(progress.systems)
        .arg(progress.groups)
        .arg(progress.channels)
        .arg(where);
}

QString harvestEndMessage(int chainsCut)
{
    const QString updated = QStringLiteral("Hit Inteligence Updated");
    if (chainsCut <= 0)
        return updated;
    return updated + QStringLiteral("\n\n%1 list(s) of systems, groups or channels could not be "
                                    "read to the end (the radio did not answer, refused the "
                                    "read, or a list led back into itself); hit_intel.txt "
                                    "holds what was read.")
                         .arg(chainsCut);
}
