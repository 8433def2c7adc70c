// The "History" tab: the hits of every run, this run's as they come.
#include "app/form1.h"

#include "log/logfilepath.h"
#include "log/widgets/historypanel.h"

#include <QDir>
#include <QTimer>

QWidget *Form1::buildHistoryTab()
{
    History = new HistoryPanel;
    History->exportFolder = [this] { return effectiveLogFolder(log_folder, m_options.dataFolder); };
    History->showMessage = [this](const QString &text) { tellUser(text); };
    History->model().setRecordingFolders([this] {
        return QStringList{effectiveLogFolder(log_folder, m_options.dataFolder),
                           m_options.dataFolder};
    });
    // The log folder is known once the settings have been read at start-up.
    QTimer::singleShot(0, this, &Form1::startHistoryLoad);
    return History;
}

void Form1::startHistoryLoad()
{
    QString runName = hitLogFileName(startup_date, startup_time);
    runName.chop(int(QStringLiteral(".txt").size()));
    History->startLoad({effectiveLogFolder(log_folder, m_options.dataFolder), m_options.dataFolder},
                       runName);
}

void Form1::historyHitLogged(const QString &line)
{
    History->model().addLiveHit(line);
}

bool Form1::historyTakesKey(QObject *watched) const
{
    // Typing a filter or moving through the history is not meant for the
    // radio: the keyboard shortcuts stay out of the tab.
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && History && (widget == History || History->isAncestorOf(widget));
}
