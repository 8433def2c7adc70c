// The hit database's figures: building it (hits added 100,000 to a
// transaction), its size per hit, one live hit's insert, the first rows
// newest first, the History's opening, each keystroke of a find (its count
// and first rows), the counts per channel, and the import of 100,000 hits
// from 200 run files. The number of hits is the first argument (1,000,000
// by default).

#include "store/hitstore.h"
#include "store/runimport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int batch = 100000;

QString timeText(int seconds)
{
    return QStringLiteral("%1:%2:%3 %4")
        .arg((seconds / 3600 + 11) % 12 + 1)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds >= 12 * 3600 ? QStringLiteral("PM") : QStringLiteral("AM"));
}

// Hit n of a listener's years: 3,000 hits a day over 2,000 channels.
StoredHit hitNumber(qint64 n)
{
    const qint64 day = n / 3000;
    const int second = int(n % 3000 * 28);
    const int channel = int((n * 7919) % 2000);
    StoredHit hit;
    hit.run = QDate(2020, 1, 1).addDays(day).toString(QStringLiteral("MM-dd-yyyy")) +
              QStringLiteral("_12-00-00-AM");
    hit.line = int(n % 3000) + 1;
    hit.system = QStringLiteral("County %1").arg(channel % 20);
    hit.group = QStringLiteral("Group %1").arg(channel % 100);
    hit.channel = QStringLiteral("Dispatch %1").arg(channel);
    hit.frequency = QStringLiteral(" %1.%2")
                        .arg(150 + channel % 300)
                        .arg(channel % 10000, 4, 10, QLatin1Char('0'));
    hit.code = QStringLiteral("C%1").arg(67 + channel % 100);
    hit.startText = timeText(second);
    hit.endText = timeText(second + 9);
    hit.startUtc = 1577836800 + day * 86400 + second;
    hit.endUtc = hit.startUtc + 9;
    hit.kind = StoredHit::Conventional;
    return hit;
}

double msSince(QElapsedTimer &timer)
{
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const qint64 total = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hits.db"));
    QElapsedTimer timer;
    {
        HitStore store;
        if (store.open(path) != HitStore::Fault::None)
            return 1;
        timer.start();
        for (qint64 first = 0; first < total; first += batch) {
            QList<StoredHit> hits;
            for (qint64 n = first; n < qMin(total, first + batch); ++n)
                hits.append(hitNumber(n));
            store.addAll(hits);
        }
        out << "build of " << total << " hits: " << msSince(timer) / 1000 << " s\n";
        // How much of the build is the making of the hits themselves.
        for (qint64 first = 0; first < total; first += batch) {
            QList<StoredHit> hits;
            for (qint64 n = first; n < qMin(total, first + batch); ++n)
                hits.append(hitNumber(n));
        }
        out << "of which making the hits: " << msSince(timer) / 1000 << " s\n";

        std::vector<double> inserts;
        for (int i = 0; i < 200; ++i) {
            timer.restart();
            store.add(hitNumber(total + i));
            inserts.push_back(msSince(timer));
        }
        std::sort(inserts.begin(), inserts.end());
        out << "one live hit's insert, median: " << inserts[inserts.size() / 2] << " ms\n";

        timer.restart();
        store.rows({}, {}, 0, 100);
        out << "first 100 rows, newest first: " << msSince(timer) << " ms\n";
        // What the History asks for: its first page with the count, at
        // opening and at each keystroke.
        timer.restart();
        const HistoryView opened = store.view({}, {}, 200);
        out << "History opened to its first rows (" << opened.total << " hits): " << msSince(timer)
            << " ms\n";
        for (const QString &typed :
             {QStringLiteral("county 3 dispatch 1717"), QStringLiteral("dispatch 17")}) {
            double worst = 0;
            qint64 found = 0;
            for (qsizetype n = 1; n <= typed.size(); ++n) {
                timer.restart();
                const HistoryView view = store.view({typed.left(n), {}, {}, false}, {}, 200);
                worst = qMax(worst, msSince(timer));
                found = view.shown;
            }
            out << "typing \"" << typed << "\" (" << found
                << " hits): slowest keystroke to count and first rows " << worst << " ms\n";
        }
        timer.restart();
        const qsizetype channels = store.counts({}, {}, CountBy::Channel).size();
        out << "counts per channel of all hits (" << channels << " channels): " << msSince(timer)
            << " ms\n";
    }
    out << "size: " << double(QFileInfo(path).size()) / double(total + 200) << " bytes per hit\n";

    QTemporaryDir runs;
    for (int file = 0; file < 200; ++file) {
        QString text;
        for (int line = 499; line >= 0; --line) {
            const StoredHit hit = hitNumber(qint64(file) * 3000 + line);
            text += QStringLiteral("%1 / %2\t%3\t%4\t%5\t%6\t%7\t%8\r\n")
                        .arg(hit.system, hit.group, hit.channel, hit.frequency, hit.code,
                             hit.startText, hit.endText, hit.run.left(10));
        }
        QFile run(runs.filePath(hitNumber(qint64(file) * 3000).run + QStringLiteral(".txt")));
        run.open(QIODevice::WriteOnly);
        run.write(text.toUtf8());
    }
    HitStore fresh;
    fresh.open(runs.filePath(QStringLiteral("hits.db")));
    timer.restart();
    int added = 0;
    for (const HistoryRun &run : findRunFiles({runs.path()}, {})) {
        QFile file(QDir(run.folder).filePath(run.name + QStringLiteral(".txt")));
        file.open(QIODevice::ReadOnly);
        added += fresh.importRunFile(run, file.readAll()).added;
    }
    out << "import of " << added << " hits from 200 run files: " << msSince(timer) / 1000 << " s\n";
    return 0;
}
