#include "log/fixforlog.h"

QString FixForLog(QString &toFix)
{
    for (const QChar bad : {u' ', u'/', u'\\', u':', u'*', u'?', u'"'})
        toFix.replace(bad, u'-');
    return toFix;
}
