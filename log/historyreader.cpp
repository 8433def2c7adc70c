#include "log/historyreader.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

bool isRunFileName(const QString &fileName, HistoryRun *run)
{
    static const QLatin1String suffix(".txt");
    if (!fileName.endsWith(suffix) || fileName.size() < 12 + suffix.size() ||
        fileName.at(10) != u'_')
        return false;
    const QString date = fileName.left(10);
    if (date[2] != u'-' || date[5] != u'-')
        return false;
    const QDate parsed = QDate::fromString(date, QStringLiteral("MM-dd-yyyy"));
    if (!parsed.isValid())
        return false;
    run->name = fileName.chopped(suffix.size());
    run->date = parsed;
    run->startSeconds = secondsOfDay(QStringView(run->name).mid(11));
    return true;
}

QList<HistoryRun> findRunFiles(const QStringList &folders, const QString &excludeName)
{
    QList<HistoryRun> runs;
    QSet<QString> seen;
    // A run's file found in two folders (left behind by a change of the log
    // folder) is one run: the copy written last holds all of it.
    QHash<QString, qsizetype> runAt;
    QList<QDateTime> written;
    for (const QString &folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (folder.isEmpty() || canonical.isEmpty() || seen.contains(canonical))
            continue;
        seen.insert(canonical);
        const QDir dir(folder);
        // No name filter: QDir matches one with a regular expression, and
        // isRunFileName() passes only ".txt" names anyway.
        const QStringList names = dir.entryList(QDir::Files | QDir::Readable);
        for (const QString &name : names) {
            HistoryRun run;
            if (name == excludeName || !isRunFileName(name, &run))
                continue;
            run.folder = folder;
            const QDateTime modified = QFileInfo(dir.filePath(name)).lastModified();
            if (const auto at = runAt.constFind(run.name); at != runAt.cend()) {
                if (modified > written.at(*at)) {
                    runs[*at] = run;
                    written[*at] = modified;
                }
                continue;
            }
            runAt.insert(run.name, runs.size());
            runs.append(run);
            written.append(modified);
        }
    }
    std::stable_sort(runs.begin(), runs.end(), [](const HistoryRun &a, const HistoryRun &b) {
        if (a.date != b.date)
            return a.date > b.date;
        if (a.startSeconds != b.startSeconds)
            return a.startSeconds > b.startSeconds;
        return a.name > b.name;
    });
    return runs;
}

int readRunFile(const QByteArray &contents, int runIndex, HistoryLoad &load)
{
    const QString runName = load.runs.value(runIndex).name;
    QStringDecoder whole(QStringDecoder::Utf8);
    QString text = whole.decode(contents);
    // Undecodable bytes are marked per line, so that only the lines holding
    // them are lost.
    if (whole.hasError())
        text = QString::fromUtf8(contents);
    int skipped = 0;
    qsizetype start = 0;
    HistoryHit hit;
    hit.run = runIndex;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QStringView line = QStringView(text).mid(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        start = end + 1;
        if (line.trimmed().isEmpty())
            continue;
        if (parseHitLine(line, runName, &hit))
            load.hits.append(hit);
        else
            ++skipped;
    }
    load.skippedLines += skipped;
    if (skipped > 0)
        ++load.filesWithSkips;
    return skipped;
}

QString skippedText(int lines, int files)
{
    if (lines == 0)
        return {};
    return QStringLiteral("%1 %2 skipped in %3 %4")
        .arg(lines)
        .arg(lines == 1 ? QStringLiteral("line") : QStringLiteral("lines"))
        .arg(files)
        .arg(files == 1 ? QStringLiteral("file") : QStringLiteral("files"));
}
