#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// One of the system's audio inputs as the Settings tab lists it.
struct AudioInputEntry
{
    QByteArray id;
    QString description;
    bool isDefault = false;
};

// The input to record from: the remembered one while the system has it,
// otherwise the system's default input, or the first listed when the
// system names no default. index is -1 when there is no input at all.
struct AudioInputChoice
{
    int index = -1;
    bool remembered = false;
};

AudioInputChoice chooseAudioInput(const QList<AudioInputEntry> &inputs,
                                  const QByteArray &rememberedId);

// The words under the list: which input is used when it is not the
// remembered one, and that recording is impossible without any.
QString audioInputNote(const QList<AudioInputEntry> &inputs, const AudioInputChoice &choice);

// audio_settings.txt: one line, the chosen input's id in double quotes.
QByteArray writeAudioSettings(const QByteArray &inputId);
QByteArray readAudioSettings(const QByteArray &file);

// The loudest sample of 16-bit little-endian PCM as a share of full scale,
// 0 to 100.
int peakPercent(QByteArrayView pcm);
