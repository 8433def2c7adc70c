#include "tuning/tunefrequency.h"

#include <QStringList>

bool hasPoint(const QString &typed)
{
    return typed.contains(QLatin1Char('.'));
}

QString FormatTuneFrequency(const QString &typed)
{
    const QStringList pieces = typed.split(QLatin1Char('.'));
    const QString whole = pieces.value(0);
    const QString fraction = pieces.value(1);
    return whole.rightJustified(4, QLatin1Char('0')) + fraction.leftJustified(4, QLatin1Char('0'));
}

QByteArray BuildQuickSearchCommand(const QString &frequency, const QString &modulation)
{
    // The radio speaks one byte per character; a character it has no byte
    // for goes out as "?".
    return QByteArrayLiteral("QSH,") + frequency.toLatin1() + QByteArrayLiteral(",0,") +
           modulation.toLatin1() + QByteArrayLiteral(",0,.,.,.,.,.");
}

QString modulationOfIndex(int index)
{
    static const QString names[] = {QStringLiteral("FM"), QStringLiteral("NFM"),
                                    QStringLiteral("WFM"), QStringLiteral("AM")};
    if (index < 0 || index >= int(std::size(names)))
        return {};
    return names[index];
}
