#include "log/widgets/historypanel.h"

#include "log/historyreader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Draws the row's share of the largest air time as a bar behind the text.
class BarDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const double share = index.data(HistoryCountModel::BarRole).toDouble();
        if (share > 0) {
            QRect bar = option.rect.adjusted(1, 3, -1, -3);
            bar.setWidth(qMax(1, int(bar.width() * share)));
            painter->fillRect(bar, QColor(150, 190, 235));
        }
        QStyledItemDelegate::paint(painter, option, index);
    }
};

template <typename W> W *named(W *widget, const char *name, const QString &accessible)
{
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(accessible);
    return widget;
}

QTableView *plainTable(QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    return view;
}

} // namespace

HistoryPanel::HistoryPanel(QWidget *parent) : QWidget(parent), m_countTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("History"));
    m_player.mediaSystem = [this] { return mediaSystem ? mediaSystem() : nullptr; };
    m_player.changed = [this](bool ended) { showPlayback(ended); };
    m_table = named(plainTable(this), "history_table", QStringLiteral("History"));
    m_table->setModel(&m_model);
    const int widths[HistoryModel::ColumnCount] = {160, 100, 72, 75, 80, 80, 80, 150, 90};
    for (int column = 0; column < HistoryModel::ColumnCount; ++column)
        m_table->setColumnWidth(column, widths[column]);
    // The recording's column comes first, where the table's width never
    // hides it behind the long names.
    m_table->horizontalHeader()->moveSection(HistoryModel::Recording, 0);
    m_table->installEventFilter(this);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_table);
    split->addWidget(buildCounts());
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 1);
    split->setSizes({480, 270});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(buildFilterRow());
    layout->addWidget(split, 1);
    layout->addWidget(buildBottomRow());

    m_countTimer->setSingleShot(true);
    m_countTimer->setInterval(150);
    connect(m_countTimer, &QTimer::timeout, this, &HistoryPanel::updateCounts);
    connect(&m_model, &HistoryModel::shownChanged, this, &HistoryPanel::onShownChanged);
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { playRow(index.row()); });
    connect(m_table, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (index.column() == HistoryModel::Recording)
            playRow(index.row());
    });

    chooseExportFile = [this](const QString &suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), suggested,
                                            QStringLiteral("CSV files (*.csv)"));
    };
    showRowCount();
}

QWidget *HistoryPanel::buildFilterRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *findLabel = new QLabel(QStringLiteral("Find:"), row);
    m_find = named(new QLineEdit(row), "history_find", QStringLiteral("Find"));
    m_find->setPlaceholderText(QStringLiteral("words in any column"));
    m_find->setClearButtonEnabled(true);
    findLabel->setBuddy(m_find);
    m_fromCheck = named(new QCheckBox(QStringLiteral("From"), row), "history_from_check",
                        QStringLiteral("From"));
    m_from = named(new QDateEdit(QDate::currentDate(), row), "history_from",
                   QStringLiteral("From date"));
    m_toCheck =
        named(new QCheckBox(QStringLiteral("To"), row), "history_to_check", QStringLiteral("To"));
    m_to = named(new QDateEdit(QDate::currentDate(), row), "history_to", QStringLiteral("To date"));
    for (QDateEdit *date : {m_from, m_to}) {
        date->setDisplayFormat(QStringLiteral("MM-dd-yyyy"));
        date->setCalendarPopup(true);
        date->setEnabled(false);
    }
    m_thisRunOnly = named(new QCheckBox(QStringLiteral("This run only"), row),
                          "history_this_run_only", QStringLiteral("This run only"));
    m_rowCount = named(new QLabel(row), "history_row_count", QStringLiteral("Hits shown"));
    layout->addWidget(findLabel);
    layout->addWidget(m_find, 1);
    layout->addWidget(m_fromCheck);
    layout->addWidget(m_from);
    layout->addWidget(m_toCheck);
    layout->addWidget(m_to);
    layout->addWidget(m_thisRunOnly);
    layout->addWidget(m_rowCount);

    connect(m_find, &QLineEdit::textChanged, this, &HistoryPanel::applyFilter);
    connect(m_thisRunOnly, &QCheckBox::toggled, this, &HistoryPanel::applyFilter);
    connect(m_fromCheck, &QCheckBox::toggled, m_from, &QWidget::setEnabled);
    connect(m_toCheck, &QCheckBox::toggled, m_to, &QWidget::setEnabled);
    for (QCheckBox *check : {m_fromCheck, m_toCheck})
        connect(check, &QCheckBox::toggled, this, &HistoryPanel::applyFilter);
    for (QDateEdit *date : {m_from, m_to})
        connect(date, &QDateEdit::dateChanged, this, &HistoryPanel::applyFilter);
    return row;
}

QWidget *HistoryPanel::buildCounts()
{
    auto *box = new QWidget(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *top = new QHBoxLayout;
    m_export = named(new QPushButton(QStringLiteral("Export CSV..."), box), "history_export",
                     QStringLiteral("Export CSV..."));
    m_output = named(new QComboBox(box), "history_output", QStringLiteral("Output"));
    m_output->setToolTip(QStringLiteral("The sound output recordings play through"));
    // Lists name their current item; the labels are their names.
    auto *outputLabel = new QLabel(QStringLiteral("Output:"), box);
    outputLabel->setBuddy(m_output);
    top->addWidget(m_export);
    top->addWidget(outputLabel);
    top->addWidget(m_output, 1);
    m_countBy = named(new QComboBox(box), "history_count_by", QStringLiteral("Count per"));
    m_countBy->addItems({QStringLiteral("Per channel"), QStringLiteral("Per talkgroup / tone")});
    m_countTable = named(plainTable(box), "history_counts", QStringLiteral("Counts"));
    m_countTable->setModel(&m_counts);
    m_countTable->setItemDelegateForColumn(HistoryCountModel::AirTime,
                                           new BarDelegate(m_countTable));
    m_countTable->horizontalHeader()->setSectionResizeMode(HistoryCountModel::Name,
                                                           QHeaderView::Stretch);
    m_countTable->setColumnWidth(HistoryCountModel::Hits, 45);
    m_countTable->setColumnWidth(HistoryCountModel::AirTime, 70);
    auto *countRow = new QHBoxLayout;
    auto *countLabel = new QLabel(QStringLiteral("Count:"), box);
    countLabel->setBuddy(m_countBy);
    countRow->addWidget(countLabel);
    countRow->addWidget(m_countBy, 1);
    layout->addLayout(top);
    layout->addLayout(countRow);
    layout->addWidget(m_countTable, 1);
    connect(m_countBy, &QComboBox::currentIndexChanged, this, &HistoryPanel::updateCounts);
    connect(m_output, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_player.setOutput(m_output->itemData(index).toByteArray()); });
    connect(m_export, &QPushButton::clicked, this, &HistoryPanel::exportCsv);
    return box;
}

QWidget *HistoryPanel::buildBottomRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_progress =
        named(new QProgressBar(row), "history_progress", QStringLiteral("Reading the logs"));
    m_progress->setMaximumWidth(160);
    m_progress->setFormat(QStringLiteral("Reading %v of %m"));
    m_progress->hide();
    m_play = new QPushButton(QStringLiteral("Play"), row);
    m_play->setObjectName(QStringLiteral("history_play"));
    m_play->setToolTip(QStringLiteral("Plays the chosen hit's recording (Enter)"));
    m_pause = new QPushButton(QStringLiteral("Pause"), row);
    m_pause->setObjectName(QStringLiteral("history_pause"));
    m_pause->setToolTip(QStringLiteral("Pauses the recording (Space)"));
    m_stop = new QPushButton(QStringLiteral("Stop"), row);
    m_stop->setObjectName(QStringLiteral("history_stop"));
    m_playTime = named(new QLabel(row), "history_play_time", QStringLiteral("Recording position"));
    layout->addWidget(m_play);
    layout->addWidget(m_pause);
    layout->addWidget(m_stop);
    layout->addWidget(m_playTime);
    connect(m_play, &QPushButton::clicked, this, &HistoryPanel::playOrResume);
    connect(m_pause, &QPushButton::clicked, this, [this] { m_player.togglePause(); });
    connect(m_stop, &QPushButton::clicked, this, [this] { m_player.stop(); });
    showPlayback(false);
    m_status = named(new QLabel(row), "history_status", QStringLiteral("History status"));
    // The window's logo sits over the tab's bottom right corner.
    m_status->setMaximumWidth(480);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addStretch(1);
    return row;
}

void HistoryPanel::setSource(HistorySource *source, const QString &thisRunName)
{
    m_thisRunName = thisRunName;
    m_loadPending = true;
    if (source) {
        connect(source, &HistorySource::importProgress, this, [this](int done, int total) {
            m_progress->setMaximum(qMax(total, 1));
            m_progress->setValue(done);
            m_progress->show();
        });
        connect(source, &HistorySource::importFinished, this, [this] {
            m_progress->hide();
            m_loadPending = true;
            m_model.refresh(false);
        });
        connect(source, &HistorySource::countsReady, this,
                [this](quint64 ticket, const QList<HistoryCount> &counts) {
                    if (ticket != m_countTicket)
                        return;
                    m_counts.setCounts(counts, m_countBy->currentIndex() == 1 ? CountBy::Talkgroup
                                                                              : CountBy::Channel);
                    Q_EMIT countsShown();
                });
        connect(source, &HistorySource::exportFinished, this, &HistoryPanel::onExportFinished);
        if (source->isImporting()) {
            m_progress->setValue(0);
            m_progress->show();
            m_status->setText(QStringLiteral("Reading the logs..."));
        }
    }
    m_model.setSource(source, thisRunName);
}

void HistoryPanel::onShownChanged()
{
    showRowCount();
    m_countTimer->start();
    HistorySource *source = m_model.source();
    if (!m_loadPending || (source && source->isImporting()))
        return;
    m_loadPending = false;
    m_progress->hide();
    const HistoryView &view = m_model.view();
    m_status->setText(skippedText(view.skippedLines, view.filesWithSkips));
    // The dates offered start as the oldest and the newest run's.
    if (view.oldest.isValid()) {
        const QSignalBlocker quietFrom(m_from);
        const QSignalBlocker quietTo(m_to);
        m_from->setDate(view.oldest);
        m_to->setDate(qMax(view.newest, m_to->date()));
    }
    Q_EMIT loaded();
}

void HistoryPanel::applyFilter()
{
    HistoryFilter filter;
    filter.text = m_find->text();
    if (m_fromCheck->isChecked())
        filter.from = m_from->date();
    if (m_toCheck->isChecked())
        filter.to = m_to->date();
    filter.thisRunOnly = m_thisRunOnly->isChecked();
    m_model.setFilter(filter);
}

void HistoryPanel::showRowCount()
{
    m_rowCount->setText((m_model.isCounting() ? QStringLiteral("%1 or more of %2 hits (counting)")
                                              : QStringLiteral("%1 of %2 hits"))
                            .arg(m_model.rowCount())
                            .arg(m_model.totalCount()));
}

void HistoryPanel::updateCounts()
{
    m_countTimer->stop();
    const CountBy by = m_countBy->currentIndex() == 1 ? CountBy::Talkgroup : CountBy::Channel;
    if (HistorySource *source = m_model.source()) {
        // The counts of an older filter are not wanted any more.
        if (m_countTicket != 0)
            source->forget(m_countTicket);
        m_countTicket = HistorySource::nextTicket();
        source->requestCounts(m_countTicket, m_model.filter(), m_thisRunName, by);
    }
}

void HistoryPanel::playRow(int row)
{
    if (row < 0 || row >= m_model.rowCount())
        return;
    const QString path = m_model.recordingPath(row);
    if (path.isEmpty()) {
        m_status->setText(QStringLiteral("No recording of this hit was found."));
        return;
    }
    m_status->setText(QStringLiteral("Playing %1").arg(QDir::toNativeSeparators(path)));
    if (!m_player.play(path))
        m_status->setText(QStringLiteral("No sound system to play the recording with."));
}

void HistoryPanel::playOrResume()
{
    if (m_player.state() == HistoryPlayer::State::Paused)
        m_player.togglePause();
    else
        playRow(m_table->currentIndex().row());
}

void HistoryPanel::showPlayback(bool ended)
{
    const HistoryPlayer::State state = m_player.state();
    m_pause->setEnabled(state != HistoryPlayer::State::Stopped);
    m_pause->setText(state == HistoryPlayer::State::Paused ? QStringLiteral("Resume")
                                                           : QStringLiteral("Pause"));
    m_stop->setEnabled(state != HistoryPlayer::State::Stopped);
    m_playTime->setText(playbackTimeText(m_player.positionMs(), m_player.durationMs()));
    if (ended)
        m_status->setText(
            QStringLiteral("Playback of %1 ended.").arg(QFileInfo(m_player.playing()).fileName()));
}

void HistoryPanel::exportCsv()
{
    const QString folder = exportFolder ? exportFolder() : QDir::homePath();
    const QString suggested = QDir(folder).filePath(
        QStringLiteral("hit_history_%1.csv")
            .arg(m_thisRunName.isEmpty() ? QStringLiteral("all") : m_thisRunName));
    const QString path = chooseExportFile(suggested);
    if (path.isEmpty())
        return;
    if (HistorySource *source = m_model.source())
        source->requestExport(m_model.filter(), m_thisRunName, path);
}

void HistoryPanel::onExportFinished(const QString &path, qint64 rows, const QString &error)
{
    if (error.isEmpty()) {
        m_status->setText(
            QStringLiteral("%1 hits exported to %2").arg(rows).arg(QDir::toNativeSeparators(path)));
    } else if (showMessage) {
        showMessage(QStringLiteral("The file %1 could not be written: %2")
                        .arg(QDir::toNativeSeparators(path), error));
    }
    Q_EMIT exported();
}

void HistoryPanel::showEvent(QShowEvent *event)
{
    // The sound outputs are asked for when the tab is first shown, not at
    // start-up.
    if (m_output->count() == 0) {
        const QSignalBlocker quiet(m_output);
        if (MediaSystem *media = mediaSystem ? mediaSystem() : nullptr) {
            const QByteArray standard = media->defaultAudioOutput();
            for (const AudioDeviceEntry &device : media->audioOutputs()) {
                m_output->addItem(device.description, device.id);
                if (device.id == standard)
                    m_output->setCurrentIndex(m_output->count() - 1);
            }
        }
        if (m_output->count() == 0)
            m_output->addItem(QStringLiteral("System default"), QByteArray());
        m_player.setOutput(m_output->currentData().toByteArray());
    }
    // A recording saved since the tab was last looked at shows now.
    m_model.refreshRecordings();
    QWidget::showEvent(event);
}

bool HistoryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            playRow(m_table->currentIndex().row());
            return true;
        }
        if (key == Qt::Key_Space) {
            m_player.togglePause();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
