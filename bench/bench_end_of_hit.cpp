// The cost of the end of a hit with a long log: the new line goes in front of
// the log text, the whole log file is rewritten and the log table is rebuilt
// and painted. Prints milliseconds per part for logs of 1,000, 10,000 and
// 100,000 lines. The table's share should stay flat beyond 1,501 lines.
//
// Then the same on the window itself: everything Form1 does at the end of a
// hit (log text, log box, file hand-off, table) and the paint that follows,
// on the Log tab at the window's own size, with the log file on. Last, the
// memory a hit costs the window: heap in use per 1,000 hits logged one by
// one.

#include "app/form1.h"
#include "log/hitlogfile.h"
#include "log/hitlogfilequeue.h"
#include "log/hitlogtext.h"
#include "log/loggridmodel.h"
#include "log/widgets/loggridview.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <malloc.h>
#include <memory>
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

double minimum(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

double msSince(QElapsedTimer &timer)
{
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

// The window on its Log tab, quiet: no system ports, no message boxes.
std::unique_ptr<Form1> logTabWindow(const QString &dataFolder)
{
    Form1Options options;
    options.dataFolder = dataFolder;
    options.listSystemPorts = false;
    options.showMessage = [](const QString &) {};
    auto form = std::make_unique<Form1>(options);
    form->findChild<QTabWidget *>(QStringLiteral("SSTab1"))->setCurrentIndex(0);
    return form;
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

    out << "\nthe window, log file on: lines   end of hit ms (min / median / worst)"
           "   then paint ms (median)\n";
    for (const int size : {1000, 10000, 100000}) {
        QTemporaryDir data;
        const std::unique_ptr<Form1> window = logTabWindow(data.path());
        Form1 &form = *window;
        form.findChild<QCheckBox *>(QStringLiteral("LogTextCheck"))->click();
        form.show();
        // The log before the measured hits goes in as one block.
        QString earlier;
        for (int i = 0; i < size; ++i)
            earlier.prepend(hitLine(i));
        form.logHitLine(earlier);
        form.flushLogFile();
        QApplication::processEvents();

        std::vector<double> endOfHit, paint;
        for (int round = 0; round < rounds; ++round) {
            QElapsedTimer timer;
            timer.start();
            form.logHitLine(hitLine(size + round));
            endOfHit.push_back(msSince(timer));
            form.repaint();
            paint.push_back(msSince(timer));
            form.flushLogFile();
        }
        if (form.hitLog().lineCount() != size + rounds) {
            out << "the window's log lost lines\n";
            return 1;
        }
        out << QStringLiteral("%1   %2 / %3 / %4   %5\n")
                   .arg(size, 38)
                   .arg(minimum(endOfHit), 6, 'f', 3)
                   .arg(median(endOfHit), 6, 'f', 3)
                   .arg(*std::max_element(endOfHit.begin(), endOfHit.end()), 6, 'f', 3)
                   .arg(median(paint), 8, 'f', 3);
        out.flush();
    }

    // Memory: hits logged one at a time, as the poll logs them, heap in use
    // before and after. The log text itself is printed beside it; the text
    // grows by doubling its room, so up to half of its room may be unused.
    {
        constexpr int hits = 5000;
        constexpr int earlierHits = 2000;
        QTemporaryDir data;
        const std::unique_ptr<Form1> window = logTabWindow(data.path());
        Form1 &form = *window;
        form.show();
        // Past the table's 1,501 rows first: the table's share is bounded and
        // is not a cost per hit.
        QString earlier;
        for (int i = 0; i < earlierHits; ++i)
            earlier.prepend(hitLine(i));
        form.logHitLine(earlier);
        QApplication::processEvents();
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        for (int i = 0; i < hits; ++i) {
            form.logHitLine(hitLine(earlierHits + i));
            if (i % 50 == 0)
                QApplication::processEvents();
        }
        QApplication::processEvents();
        const size_t after = mallinfo2().uordblks;
        const double perThousand = double(after - before) / hits * 1000 / 1e6;
        const double textPerThousand =
            double(form.hitLog().text().size()) * 2 / form.hitLog().lineCount() * 1000 / 1e6;
        out << QStringLiteral(
                   "\nmemory per 1,000 hits: %1 MB of heap (the log text itself: %2 MB)\n")
                   .arg(perThousand, 0, 'f', 3)
                   .arg(textPerThousand, 0, 'f', 3);
    }
    return 0;
}
