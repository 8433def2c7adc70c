// The log table's menu on a hit, and its selection that follows the hit as
// new hits push the rows down.
#include "app/form1.h"

#include "log/historyrecording.h"
#include "log/logfilepath.h"
#include "tuning/directentry.h"
#include "tuning/skiplist.h"
#include "tuning/statecodes.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>

void Form1::connectLogMenu()
{
    m_logPlayer.mediaSystem = [this] { return mediaSystem(); };
    grdInfo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grdInfo, &QWidget::customContextMenuRequested, this, &Form1::showLogMenu);
    connect(grdInfo->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Form1::rememberLogSelection);
    // The table is rebuilt from the log text at every change.
    connect(&m_grid, &QAbstractItemModel::modelReset, this, &Form1::restoreLogSelection);
}

void Form1::showLogMenu(const QPoint &at)
{
    const QModelIndex index = grdInfo->indexAt(at);
    if (!index.isValid())
        return;
    const int number = m_grid.rowNumber(index.row());
    if (number >= m_log.lineCount())
        return; // a blank row
    const QString line = m_log.line(number).toString();
    grdInfo->selectRow(index.row());
    const LoggedHitTuning hit = loggedHitTuning(line);

    auto *menu = new QMenu(grdInfo);
    menu->setObjectName(QStringLiteral("logMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Copy"), this,
                    [line] { QGuiApplication::clipboard()->setText(line); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Skip this frequency"), this,
                    [this, hit] { skipFromLog(hit.frequency); })
        ->setEnabled(!hit.frequency.isEmpty());
    menu->addAction(QStringLiteral("Skip this talkgroup"), this,
                    [this, hit] { skipFromLog(hit.talkgroup); })
        ->setEnabled(!hit.talkgroup.isEmpty());
    menu->addSeparator();
    // The state chosen in the first direct entry panel.
    const QString state = stateCodes().value(direct_entry_state->currentIndex());
    menu->addAction(QStringLiteral("Look up licence"), this,
                    [this, state, hit] { openLicenceSearch(state, hit.frequency); })
        ->setEnabled(!hit.frequency.isEmpty());
    const QString recording = logRecordingPath(line);
    menu->addAction(QStringLiteral("Play recording"), this,
                    [this, recording] { playLogRecording(recording); })
        ->setEnabled(!recording.isEmpty());
    menu->popup(grdInfo->viewport()->mapToGlobal(at));
}

void Form1::skipFromLog(const QString &line)
{
    Auto_Skip_List->setPlainText(withSkipLine(Auto_Skip_List->toPlainText(), line));
    ApplySkipList();
}

QString Form1::logRecordingPath(const QString &logLine) const
{
    QStringList folders{effectiveLogFolder(log_folder, m_options.dataFolder), m_options.dataFolder};
    folders.removeDuplicates();
    // The recording is named with the run's date, the line's last field.
    const QString runDate = logLine.section(QLatin1Char('\t'), 6, 6);
    for (const QString &folder : std::as_const(folders)) {
        for (const QString &path : hitRecordingCandidates(logLine, runDate, folder)) {
            if (FileExists(path))
                return path;
        }
    }
    return {};
}

void Form1::playLogRecording(const QString &path)
{
    if (m_logPlayer.play(path))
        showStatusNote(QStringLiteral("Playing %1").arg(QFileInfo(path).fileName()), statusNoteMs);
    else
        showStatusNote(QStringLiteral("No sound system to play the recording with"), statusNoteMs);
}

void Form1::rememberLogSelection()
{
    const QModelIndexList selected = grdInfo->selectionModel()->selectedIndexes();
    const int number = selected.isEmpty() ? -1 : m_grid.rowNumber(selected.first().row());
    if (number < 0 || number >= m_log.lineCount()) {
        m_selectedFromEnd = -1;
        m_selectedHitLine.clear();
        return;
    }
    m_selectedHitLine = m_log.line(number).toString();
    m_selectedFromEnd = m_log.lineCount() - 1 - number;
}

void Form1::restoreLogSelection()
{
    if (m_selectedFromEnd < 0)
        return;
    const qsizetype number = m_log.lineCount() - 1 - m_selectedFromEnd;
    if (number >= 0 && m_log.line(number) == m_selectedHitLine) {
        for (int row = 0; row < m_grid.rowCount() && m_grid.rowNumber(row) <= number; ++row) {
            if (m_grid.rowNumber(row) == number) {
                grdInfo->selectionModel()->select(m_grid.index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
                return;
            }
        }
    }
    // Cleared, or gone past the rows the table shows.
    m_selectedFromEnd = -1;
    m_selectedHitLine.clear();
}
