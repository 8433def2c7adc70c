#include "tuning/fcclookup.h"

#include "tuning/tunefrequency.h"

QUrl fccLookupUrl(const QString &stateCode, const QString &typed)
{
    if (!hasPoint(typed))
        return {};
    const QString address =
        fccServiceAddress.toString() +
        QStringLiteral("/cgi-bin/ws.exe/genmen/uls/freq_st_res.hts?db_id=19&rows=0&state=") +
        QString::fromLatin1(QUrl::toPercentEncoding(stateCode)) + QStringLiteral("&freq=") +
        QString::fromLatin1(QUrl::toPercentEncoding(typed));
    return QUrl(address, QUrl::StrictMode);
}
