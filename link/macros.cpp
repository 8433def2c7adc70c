#include "link/macros.h"

#include "link/settingstext.h"

QList<QByteArray> macroItems(const QString &text)
{
    QList<QByteArray> items;
    if (text.isEmpty())
        return items;
    const QStringList parts = text.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    for (const QString &part : parts) {
        QByteArray item = part.toLatin1(); // outside Latin-1 -> "?"
        for (char &c : item) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7f)
                c = '?';
        }
        items.append(item);
    }
    return items;
}

QString oneLineMacroText(const QString &text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (const QChar lineBreak : {QChar(u'\r'), QChar(u'\n'), QChar(0x2028), QChar(0x2029)})
        line.replace(lineBreak, QLatin1Char(' '));
    return line;
}

QList<CommandStep> macroSteps(const QString &text)
{
    QList<CommandStep> steps;
    const QList<QByteArray> items = macroItems(text);
    for (const QByteArray &item : items)
        steps.append({"KEY," + item, macroItemWaitMs});
    return steps;
}

QByteArray macroSettingsFile(const QStringList &texts)
{
    QList<QByteArray> lines;
    for (int i = 0; i < macroCount; ++i)
        lines.append(SettingsText::quoted(oneLineMacroText(texts.value(i))));
    return SettingsText::join(lines);
}

QStringList readMacroSettings(const QByteArray &file)
{
    const QList<QByteArray> lines = SettingsText::lines(file);
    QStringList texts;
    for (int i = 0; i < macroCount; ++i)
        texts.append(SettingsText::unquoted(lines.value(i)));
    return texts;
}
