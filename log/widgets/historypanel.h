#pragma once

#include "log/historycountmodel.h"
#include "log/historymodel.h"
#include "log/historyplayer.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

// The "History" tab: every hit of every run, found by a filter, heard again,
// counted per channel or talkgroup, and exported as CSV.
class HistoryPanel : public QWidget
{
    Q_OBJECT
public:
    explicit HistoryPanel(QWidget *parent = nullptr);

    // Shows the hits of the source (the hit database); thisRunName is this
    // run's log file name without ".txt", for "This run only".
    void setSource(HistorySource *source, const QString &thisRunName);

    HistoryModel &model() { return m_model; }
    HistoryCountModel &countModel() { return m_counts; }
    HistoryPlayer &player() { return m_player; }
    QTableView *table() const { return m_table; }

    // Plays the recording of a row; a missing one is only said in the status.
    void playRow(int row);
    // Asks for a file (the default name in exportFolder()) and has the
    // source write the rows shown to it; exported() follows.
    void exportCsv();
    // Counts the rows shown again (normally a moment after the last change);
    // countsShown() follows.
    void updateCounts();

    // Set by the window: the folder the export is offered in, the file
    // chooser and the messages (tests replace the last two).
    std::function<QString()> exportFolder;
    std::function<QString(const QString &suggested)> chooseExportFile;
    std::function<void(const QString &text)> showMessage;
    // The sound system the outputs and the player come from, asked for when
    // the panel is first shown (null: none).
    std::function<MediaSystem *()> mediaSystem;

Q_SIGNALS:
    // The run files are read and the first rows shown.
    void loaded();
    void countsShown();
    void exported();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void applyFilter();
    void onShownChanged();
    void onExportFinished(const QString &path, qint64 rows, const QString &error);
    void showRowCount();
    // The playback buttons and time follow the player.
    void showPlayback(bool ended);
    void playOrResume();
    QWidget *buildFilterRow();
    QWidget *buildCounts();
    QWidget *buildBottomRow();

    HistoryModel m_model;
    HistoryCountModel m_counts;
    HistoryPlayer m_player;
    QString m_thisRunName;
    // The skipped lines and the dates are shown once the reading is done.
    bool m_loadPending = false;
    quint64 m_countTicket = 0;

    QLineEdit *m_find = nullptr;
    QCheckBox *m_fromCheck = nullptr;
    QDateEdit *m_from = nullptr;
    QCheckBox *m_toCheck = nullptr;
    QDateEdit *m_to = nullptr;
    QCheckBox *m_thisRunOnly = nullptr;
    QLabel *m_rowCount = nullptr;
    QTableView *m_table = nullptr;
    QComboBox *m_countBy = nullptr;
    QTableView *m_countTable = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    QComboBox *m_output = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_play = nullptr;
    QPushButton *m_pause = nullptr;
    QPushButton *m_stop = nullptr;
    QLabel *m_playTime = nullptr;
    QTimer *m_countTimer = nullptr;
};
