#include "poll/audioinputchoice.h"

#include "link/settingstext.h"

#include <QtEndian>

#include <cstdlib>

AudioInputChoice chooseAudioInput(const QList<AudioInputEntry> &inputs,
                                  const QByteArray &rememberedId)
{
    AudioInputChoice choice;
    for (int i = 0; i < inputs.size(); ++i) {
        if (!rememberedId.isEmpty() && inputs.at(i).id == rememberedId)
            return {i, true};
        if (choice.index == -1 && inputs.at(i).isDefault)
            choice.index = i;
    }
    if (choice.index == -1 && !inputs.isEmpty())
        choice.index = 0;
    return choice;
}

QString audioInputNote(const QList<AudioInputEntry> &inputs, const AudioInputChoice &choice)
{
    if (choice.index < 0 || choice.index >= inputs.size())
        return QStringLiteral("No audio input found: hits cannot be recorded.");
    if (choice.remembered)
        return {};
    if (inputs.at(choice.index).isDefault)
        return QStringLiteral("Using the system's default input.");
    return QStringLiteral("Using the first input listed.");
}

QByteArray writeAudioSettings(const QByteArray &inputId)
{
    return SettingsText::join({SettingsText::quoted(QString::fromUtf8(inputId))});
}

QByteArray readAudioSettings(const QByteArray &file)
{
    const QList<QByteArray> lines = SettingsText::lines(file);
    if (lines.isEmpty())
        return {};
    return SettingsText::unquoted(lines.first()).toUtf8();
}

int peakPercent(QByteArrayView pcm)
{
    int peak = 0;
    for (qsizetype i = 0; i + 1 < pcm.size(); i += 2)
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(pcm.data() + i))));
    return peak * 100 / 32768;
}
