// The History tab's two figures: reading 100,000 hits from 200 run files
// (the worker thread's whole load, then the model taking it) and filtering
// them as the user types (each keystroke, narrowing and widening, with the
// table painted).

#include "log/historycounts.h"
#include "log/historyloader.h"
#include "log/historymodel.h"
#include "log/hitlogfile.h"
#include "log/widgets/historypanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int files = 200;
constexpr int hitsPerFile = 500;

QString runText(int file)
{
    QString text;
    const QString date = QStringLiteral("%1-%2-2026")
                             .arg(file % 12 + 1, 2, 10, QLatin1Char('0'))
                             .arg(file % 28 + 1, 2, 10, QLatin1Char('0'));
    for (int i = hitsPerFile - 1; i >= 0; --i) {
        const int s = i * 17;
        text +=
            QStringLiteral(
                "County %1 / Fire %2\tDispatch %3\t 154.%4\t%5\t%6:%7:%8 PM\t%6:%7:%9 PM\t%10\r\n")
                .arg(file % 7)
                .arg(i % 5)
                .arg(i % 40)
                .arg(2500 + i % 300)
                .arg(1000 + i % 90)
                .arg(s / 3600 % 12 + 1)
                .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                .arg(s % 50, 2, 10, QLatin1Char('0'))
                .arg(s % 50 + 9, 2, 10, QLatin1Char('0'))
                .arg(date);
    }
    return text;
}

double msOf(QElapsedTimer &timer)
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
    for (int f = 0; f < files; ++f) {
        const QString name = QStringLiteral("%1-%2-2026_%3-%4-00-PM.txt")
                                 .arg(f % 12 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(f % 28 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(f % 12 + 1)
                                 .arg(f / 12, 2, 10, QLatin1Char('0'));
        QString error;
        WriteHitLogFile(dir.filePath(name), runText(f), &error);
    }

    QElapsedTimer timer;
    timer.start();
    HistoryLoader loader;
    QSignalSpy done(&loader, &HistoryLoader::finished);
    loader.start({dir.path()}, QStringLiteral("none.txt"));
    done.wait(60000);
    const double loadMs = msOf(timer);
    HistoryPanel panel;
    HistoryModel &model = panel.model();
    model.setLoaded(std::move(*done.takeFirst().at(0).value<std::shared_ptr<HistoryLoad>>()));
    const double takeMs = msOf(timer);
    out << "load " << model.totalCount() << " hits from " << files << " files: worker " << loadMs
        << " ms + model " << takeMs << " ms = " << loadMs + takeMs << " ms (goal < 2000)\n";

    // Each keystroke as the user sees it: typed into the History tab's find
    // box, the rows filtered, the table painted.
    panel.resize(760, 300);
    panel.show();
    QCoreApplication::processEvents();
    auto *find = panel.findChild<QLineEdit *>(QStringLiteral("history_find"));
    const QString typed = QStringLiteral("county 3 fire 2 dispatch 17");
    std::vector<double> typing;
    for (qsizetype n = 1; n <= typed.size(); ++n) {
        timer.restart();
        find->setText(typed.left(n));
        panel.table()->repaint();
        typing.push_back(msOf(timer));
    }
    const qsizetype found = model.rowCount();
    std::vector<double> erasing;
    for (qsizetype n = typed.size() - 1; n >= 0; --n) {
        timer.restart();
        find->setText(typed.left(n));
        panel.table()->repaint();
        erasing.push_back(msOf(timer));
    }
    auto report = [&out](const char *what, std::vector<double> ms) {
        std::sort(ms.begin(), ms.end());
        out << what << ": median " << ms[ms.size() / 2] << " ms, worst " << ms.back()
            << " ms per keystroke (goal < 50)\n";
    };
    report("typing", typing);
    report("erasing", erasing);
    timer.restart();
    const auto counts = countHits(model.hits(), model.shown(), CountBy::Channel);
    out << "count per channel of " << model.rowCount() << " hits: " << msOf(timer) << " ms ("
        << counts.size() << " channels; runs after typing stops)\n";
    out << "\"" << typed << "\" shows " << found << " of " << model.totalCount() << " hits\n";
    return 0;
}
