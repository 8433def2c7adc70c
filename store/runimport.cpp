#include "store/runimport.h"

#include <QDateTime>
#include <QTimeZone>

namespace {

void splitFirstField(const QString &field, StoredHit &hit)
{
    const qsizetype cut = field.indexOf(QLatin1String(" / "));
    hit.system = field.left(cut);
    hit.group = field.mid(cut + 3);
}

void fillFromFields(const std::array<QString, HistoryHit::FieldCount> &fields, StoredHit &hit)
{
    splitFirstField(fields[0], hit);
    hit.channel = fields[1];
    hit.frequency = fields[2];
    hit.code = fields[3];
    hit.startText = fields[4];
    hit.endText = fields[5];
}

} // namespace

qint64 localToUtc(QDate date, int secondsOfDay)
{
    const QDateTime local(date, QTime(0, 0).addSecs(qMax(0, secondsOfDay)));
    return local.toSecsSinceEpoch();
}

RunFileHits hitsOfRunFile(const HistoryRun &run, const QByteArray &contents)
{
    HistoryLoad load;
    load.runs.append(run);
    RunFileHits result;
    result.skippedLines = readRunFile(contents, 0, load);
    QDate day = run.date;
    int previousStart = qMax(0, run.startSeconds);
    int line = 0;
    for (auto it = load.hits.crbegin(); it != load.hits.crend(); ++it) {
        StoredHit hit;
        hit.run = run.name;
        hit.line = ++line;
        fillFromFields(it->fields, hit);
        const int start = secondsOfDay(hit.startText);
        if (start >= 0 && start < previousStart)
            day = day.addDays(1);
        if (start >= 0)
            previousStart = start;
        hit.startUtc = localToUtc(day, qMax(0, start));
        hit.endUtc = hit.startUtc + qMax(0, it->airSeconds);
        result.hits.append(hit);
    }
    return result;
}

StoredHit hitOfLogLine(const QString &run, int line, const QString &logLine, const QString &system,
                       const QString &group, bool trunked, qint64 endUtc)
{
    HistoryHit parsed;
    QStringView text(logLine);
    while (text.endsWith(u'\r') || text.endsWith(u'\n'))
        text.chop(1);
    StoredHit hit;
    hit.run = run;
    hit.line = line;
    hit.kind = trunked ? StoredHit::Trunked : StoredHit::Conventional;
    if (parseHitLine(text, run, &parsed)) {
        fillFromFields(parsed.fields, hit);
        if (parsed.fields[0] == system + QLatin1String(" / ") + group) {
            hit.system = system;
            hit.group = group;
        }
    } else {
        hit.system = system;
        hit.group = group;
    }
    hit.endUtc = endUtc;
    hit.startUtc = endUtc - qMax(0, airSeconds(hit.startText, hit.endText));
    return hit;
}
