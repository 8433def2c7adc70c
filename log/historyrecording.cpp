#include "log/historyrecording.h"

#include "log/recordingname.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

QStringList hitRecordingCandidates(const QString &logLine, const QString &runDate,
                                   const QString &folder)
{
    const QStringList fields = logLine.split(u'\t');
    if (fields.size() < 6)
        return {};
    const QString &code = fields[3];
    // Conventional: the code is the tone. Trunked: the talkgroup, with no
    // tone or the tone "P25" of a digital system.
    QList<std::pair<QString, QString>> codes = {{code, {}}, {{}, code}};
    if (!code.isEmpty() && code != QLatin1String("P25"))
        codes.append({QStringLiteral("P25"), code});
    FinishedHit hit;
    hit.channel = fields[1];
    hit.frequency = fields[2];
    hit.startTime = fields[4];
    hit.endTime = fields[5];
    const QDir dir(folder);
    QStringList candidates;
    const QLatin1String between(" / ");
    for (qsizetype cut = fields[0].indexOf(between); cut >= 0;
         cut = fields[0].indexOf(between, cut + 1)) {
        hit.system = fields[0].left(cut);
        hit.group = fields[0].mid(cut + between.size());
        for (const auto &[tone, talkgroup] : std::as_const(codes)) {
            hit.tone = tone;
            hit.talkgroup = talkgroup;
            const QString path = dir.filePath(recordingFileName(hit, runDate));
            if (!candidates.contains(path))
                candidates.append(path);
        }
    }
    return candidates;
}

qint64 wavDurationMs(QIODevice &device)
{
    const QByteArray head = device.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    while (!device.atEnd()) {
        const QByteArray chunk = device.read(8);
        if (chunk.size() < 8)
            return -1;
        const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray format = device.read(qMin<quint32>(size, 16));
            if (format.size() < 12)
                return -1;
            byteRate = qFromLittleEndian<quint32>(format.constData() + 8);
            device.skip(size - format.size() + (size & 1));
        } else if (chunk.startsWith("data")) {
            if (byteRate == 0)
                return -1;
            const qint64 onDisk = device.size() - device.pos();
            const qint64 bytes = size == 0 || size > onDisk ? onDisk : size;
            return bytes * 1000 / byteRate;
        } else {
            device.skip(size + (size & 1));
        }
    }
    return -1;
}

qint64 wavDurationMs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return wavDurationMs(file);
}
