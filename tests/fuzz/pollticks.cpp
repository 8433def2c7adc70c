#include "pollticks.h"

#include "log/hitlogtext.h"
#include "log/loggridmodel.h"
#include "poll/displaydecode.h"
#include "poll/hitdetector.h"
#include "poll/replyset.h"

#include <QStringList>

namespace {

constexpr QByteArrayView tickBreak = "\n~\n";
const QString startupDate = QStringLiteral("12-06-2026");

// A skip list that matches some frequencies, so that skipped hits are
// followed too.
int skipSome(const QString &winFrequencyRaw, const QString &, const QString &)
{
    return winFrequencyRaw.endsWith(u'9') ? 1 : 0;
}

QString timeOfDay(int tick)
{
    const int seconds = tick / 10;
    return QStringLiteral("%1:%2:%3 PM")
        .arg(1 + seconds / 3600 % 12)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// C0, DEL and C1.
bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f);
}

// The line with its control characters written out, for the report.
QString shown(const QString &line)
{
    QString text;
    for (const QChar c : line)
        text +=
            isControl(c) ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : c;
    return text;
}

// A hit line is seven fields joined by TAB and ended by CR LF, and nothing
// inside a field may break a line or a column.
QString checkLogLine(const QString &line)
{
    if (!line.endsWith(QLatin1String("\r\n")))
        return QStringLiteral("log line without CR LF: ") + shown(line);
    const QStringList fields = line.chopped(2).split(u'\t');
    if (fields.size() != LogGridModel::GridColumns - 1)
        return QStringLiteral("log line with %1 fields: ").arg(fields.size()) + shown(line);
    for (const QString &field : fields) {
        for (const QChar c : field) {
            if (isControl(c))
                return QStringLiteral("control character in the log line: ") + shown(line);
        }
    }
    return {};
}

// The newest line is the table's first row, one field per column.
QString checkTableTop(const LogGridModel &grid, const QString &line)
{
    const QStringList fields = line.chopped(2).split(u'\t');
    if (grid.rowCount() < 1 || grid.rowNumber(0) != 0)
        return QStringLiteral("the table does not start with the newest line");
    for (int column = 1; column < LogGridModel::GridColumns; ++column) {
        if (grid.cellText(0, column) != fields.value(column - 1))
            return QStringLiteral("table column %1 shows %2 for the line: ")
                       .arg(column)
                       .arg(shown(grid.cellText(0, column))) +
                   shown(line);
    }
    return {};
}

} // namespace

QList<QByteArray> snapshotReads(const QByteArray &input)
{
    QList<QByteArray> reads;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = input.indexOf(tickBreak, from);
        if (at < 0) {
            reads.append(input.sliced(from));
            return reads;
        }
        reads.append(input.sliced(from, at - from));
        from = at + tickBreak.size();
    }
}

QString runPollTicks(const QByteArray &input)
{
    HitDetector hits;
    hits.setSkipCheck(skipSome);
    HitLogText log;
    LogGridModel grid;
    grid.SetUpLogGrid(true);
    qsizetype logged = 0;

    const QList<QByteArray> reads = snapshotReads(input);
    for (int tick = 0; tick < reads.size(); ++tick) {
        const QByteArray &raw = reads.at(tick);
        std::optional<ReplySet> set = splitReplySet(raw);
        if (!set)
            continue;
        if (debugBoxText(*set, raw).isEmpty())
            return QStringLiteral("empty diagnostics line");
        if (isFourLineScreen(set->sts)) {
            decodeFourLineScreen(set->sts);
            continue;
        }
        if (!isSixLineScreen(set->sts))
            continue;
        if (isReceptionReply(set->glg) && isFrequencyReply(set->win)) {
            const HitTickResult result =
                hits.tick(set->sts, set->glg, set->win, timeOfDay(tick), startupDate);
            if (!result.logLine.isEmpty()) {
                if (const QString fault = checkLogLine(result.logLine); !fault.isEmpty())
                    return fault;
                log.insertHitLine(result.logLine);
                ++logged;
                grid.RebuildLogGrid(log.text());
                if (const QString fault = checkTableTop(grid, result.logLine); !fault.isEmpty())
                    return fault;
            }
        }
        hits.screenShowsP25(decodeSixLineScreen(set->sts).p25);
    }
    if (log.lineCount() != logged || log.text().count(QLatin1String("\r\n")) != logged)
        return QStringLiteral("%1 hits logged, the log text has %2 lines")
            .arg(logged)
            .arg(log.lineCount());
    return {};
}
