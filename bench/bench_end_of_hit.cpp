// The cost of the end of a hit with a long log: the new line goes in front of
// the log text, the whole log file is rewritten and the log table is rebuilt
// and painted. Prints milliseconds per part for logs of 1,000, 10,000 and
// 100,000 lines. The table's share should stay flat beyond 1,501 lines.

#include "log/hitlogfile.h"
#include "log/hitlogfilequeue.h"
#include "log/hitlogtext.h"
#include "log/loggridmodel.h"
#include "log/widgets/loggridview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

QString hitLine(int i)
{
    return QStringLiteral("County Fire %1 / Dispatch\tStation %1\t 154.2500\tC67.0\t3:45:12 PM\t"
                          "3:45:20 PM\t12-06-2026\r\n")
        .arg(i);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msSince(QElapsedTimer &timer)
{
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir dir;
    if (!dir.isValid()) {
        out << "cannot make a temporary folder\n";
        return 1;
    }
    const QString path = dir.filePath(QStringLiteral("12-06-2026_3-45-12-PM.txt"));
    constexpr int rounds = 21;

    out << "lines     insert ms  hand-off ms  table ms   paint ms   total ms | disk write ms"
           "   (median of "
        << rounds << " hits; the disk write runs on the file's own thread)\n";
    for (const int size : {1000, 10000, 100000}) {
        HitLogText log;
        for (int i = 0; i < size; ++i)
            log.insertHitLine(hitLine(i));

        LogGridModel model;
        QTableView view;
        view.setModel(&model);
        setUpLogGridView(&view);
        view.resize(1000, 400);
        view.show();
        model.SetUpLogGrid(true);
        HitLogFileWriter writer;
        writer.write(path, log.text());
        model.RebuildLogGrid(log.text());
        QApplication::processEvents();

        HitLogFileQueue queue;
        std::vector<double> insert, handOff, table, paint, total, file;
        for (int round = 0; round < rounds; ++round) {
            QElapsedTimer timer;
            timer.start();
            log.insertHitLine(hitLine(size + round));
            insert.push_back(msSince(timer));
            queue.write(path, log.text());
            handOff.push_back(msSince(timer));
            model.RebuildLogGrid(log.text());
            table.push_back(msSince(timer));
            view.repaint();
            paint.push_back(msSince(timer));
            total.push_back(insert.back() + handOff.back() + table.back() + paint.back());
            // What the file's thread spends on the same text, timed alone.
            queue.waitUntilWritten();
            timer.restart();
            if (!writer.write(path, log.text()).ok) {
                out << "the log file could not be written\n";
                return 1;
            }
            file.push_back(msSince(timer));
        }
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 | %7\n")
                   .arg(size, 6)
                   .arg(median(insert), 10, 'f', 3)
                   .arg(median(handOff), 12, 'f', 3)
                   .arg(median(table), 9, 'f', 3)
                   .arg(median(paint), 10, 'f', 3)
                   .arg(median(total), 10, 'f', 3)
                   .arg(median(file), 13, 'f', 3);
        out.flush();
    }
    return 0;
}
