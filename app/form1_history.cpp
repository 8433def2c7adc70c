// The "History" tab: the hits of every run from the hit database, this
// run's as they come.
#include "app/form1.h"

#include "log/logfilepath.h"
#include "log/widgets/historypanel.h"

#include <QDir>
#include <QTabWidget>
#include <QVBoxLayout>

QWidget *Form1::buildHistoryTab()
{
    // The tab holds an empty page until the user opens it: the panel, the
    // reading of the runs and this run's hits kept a second time cost
    // nothing before then.
    historyPage = new QWidget;
    historyPage->setObjectName(QStringLiteral("historyPage"));
    auto *layout = new QVBoxLayout(historyPage);
    layout->setContentsMargins(0, 0, 0, 0);
    connect(SSTab1, &QTabWidget::currentChanged, this, [this] {
        if (SSTab1->currentWidget() == historyPage && !m_historyStarted)
            startHistoryLoad();
    });
    return historyPage;
}

void Form1::buildHistoryPanel()
{
    History = new HistoryPanel;
    History->exportFolder = [this] { return effectiveLogFolder(log_folder, m_options.dataFolder); };
    History->showMessage = [this](const QString &text) { tellUser(text); };
    History->mediaSystem = [this] { return mediaSystem(); };
    History->model().setRecordingFolders([this] {
        return QStringList{effectiveLogFolder(log_folder, m_options.dataFolder),
                           m_options.dataFolder};
    });
    historyPage->layout()->addWidget(History);
}

void Form1::startHistoryLoad()
{
    m_historyStarted = true;
    buildHistoryPanel();
    // The list is the hit database's: this run's hits come in as they are
    // stored, the earlier runs' as their files are read in.
    startHitDatabase();
    History->setSource(m_hitDatabase.get(), runName());
}

bool Form1::historyTakesKey(QObject *watched) const
{
    // Typing a filter or moving through the history is not meant for the
    // radio: the keyboard shortcuts stay out of the tab.
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && History && (widget == History || History->isAncestorOf(widget));
}
