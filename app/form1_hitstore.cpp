// The hit database: every logged hit and its recording, and the run files
// of earlier runs read into it.
#include "app/form1.h"
#include "app/settingsfiles.h"

#include "log/historyreader.h"
#include "log/logfilepath.h"
#include "store/runimport.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDateTime>
#include <QSpinBox>

namespace {

const QString retentionFileName = QStringLiteral("/recording_limits.txt");

} // namespace

QString Form1::runName() const
{
    QString name = hitLogFileName(startup_date, startup_time);
    name.chop(int(QStringLiteral(".txt").size()));
    return name;
}

void Form1::startHitDatabase()
{
    if (m_hitDatabase || m_options.dataFolder.isEmpty())
        return;
    m_hitDatabase = std::make_unique<HitDatabase>(HitDatabase::fileIn(m_options.dataFolder));
    connect(m_hitDatabase.get(), &HitDatabase::tellUser, this, &Form1::tellUser);
    connect(m_hitDatabase.get(), &HitDatabase::importProgress, this, [this](int done, int total) {
        showStatusNote(QStringLiteral("Reading earlier runs into the hit database: %1 of %2")
                           .arg(done)
                           .arg(total),
                       3000);
    });
    connect(m_hitDatabase.get(), &HitDatabase::importFinished, this,
            [this](int added, int skippedLines, int filesWithSkips) {
                if (added == 0 && skippedLines == 0)
                    return;
                QString note =
                    QStringLiteral("%1 hits of earlier runs added to the hit database").arg(added);
                if (skippedLines > 0)
                    note += QStringLiteral(" (%1)").arg(skippedText(skippedLines, filesWithSkips));
                showStatusNote(note, statusNoteMs);
            });
    connect(m_hitDatabase.get(), &HitDatabase::recordingsDeleted, this,
            [this](int recordings, qint64 bytes) {
                showStatusNote(freedText(recordings, bytes), statusNoteMs);
            });
    if (historyPage)
        buildRetentionRow();
    importRunFiles();
}

void Form1::importRunFiles()
{
    if (!m_hitDatabase) {
        // Reads the run files once it is made.
        startHitDatabase();
        return;
    }
    m_hitDatabase->importFolders(
        {effectiveLogFolder(log_folder, m_options.dataFolder), m_options.dataFolder}, runName());
}

int Form1::storeHit(const FinishedHit &hit, const QString &recordingPath)
{
    if (hit.skipped || m_log.isEmpty())
        return 0;
    startHitDatabase();
    if (!m_hitDatabase)
        return 0;
    StoredHit stored = hitOfLogLine(runName(), ++m_storedHits, m_log.line(0).toString(), hit.system,
                                    hit.group, hit.trunked, QDateTime::currentSecsSinceEpoch());
    stored.recordingPath = recordingPath;
    m_hitDatabase->addHit(stored);
    publishHit(stored);
    return stored.line;
}

void Form1::storeRecordingsSavedLater(const QList<std::pair<QString, QString>> &saved)
{
    for (const auto &[meantFor, path] : saved) {
        const int line = m_recordingsWaiting.take(meantFor);
        if (line > 0 && m_hitDatabase)
            m_hitDatabase->setRecording({runName(), line, path});
    }
}

void Form1::buildRetentionRow()
{
    auto *row = new QWidget(historyPage);
    row->setObjectName(QStringLiteral("retention_row"));
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 4, 4, 0);
    const auto limitPair = [&](const QString &caption, const QString &accessible, int most,
                               const QString &suffix, QCheckBox **check, QSpinBox **spin) {
        *check = new QCheckBox(caption, row);
        (*check)->setAccessibleName(accessible);
        *spin = new QSpinBox(row);
        (*spin)->setRange(1, most);
        (*spin)->setSuffix(suffix);
        (*spin)->setAccessibleName(accessible);
        layout->addWidget(*check);
        layout->addWidget(*spin);
        connect(*check, &QCheckBox::toggled, this, &Form1::onRetentionChanged);
        connect(*spin, &QSpinBox::editingFinished, this, &Form1::onRetentionChanged);
    };
    limitPair(QStringLiteral("Keep recordings for"), QStringLiteral("Keep recordings for N days"),
              36500, QStringLiteral(" days"), &keep_days_check, &keep_days);
    limitPair(QStringLiteral("at most"), QStringLiteral("at most N GB"), 100000,
              QStringLiteral(" GB"), &keep_gb_check, &keep_gb);
    keep_days_check->setObjectName(QStringLiteral("keep_days_check"));
    keep_days->setObjectName(QStringLiteral("keep_days"));
    keep_gb_check->setObjectName(QStringLiteral("keep_gb_check"));
    keep_gb->setObjectName(QStringLiteral("keep_gb"));
    layout->addStretch(1);
    keep_days->setValue(90);
    keep_gb->setValue(10);
    if (const auto file = readSettingsFile(m_options.dataFolder + retentionFileName)) {
        const RetentionLimits limits = readRetentionLimits(*file);
        const QSignalBlocker days(keep_days_check);
        const QSignalBlocker gigabytes(keep_gb_check);
        keep_days_check->setChecked(limits.days > 0);
        keep_gb_check->setChecked(limits.gigabytes > 0);
        keep_days->setValue(limits.days > 0 ? limits.days : keep_days->value());
        keep_gb->setValue(limits.gigabytes > 0 ? limits.gigabytes : keep_gb->value());
        m_hitDatabase->setRetention(limits);
    }
    static_cast<QBoxLayout *>(historyPage->layout())->insertWidget(0, row);
}

void Form1::onRetentionChanged()
{
    const RetentionLimits limits{keep_days_check->isChecked() ? keep_days->value() : 0,
                                 keep_gb_check->isChecked() ? keep_gb->value() : 0};
    saveSettingsFile(m_options.dataFolder + retentionFileName, writeRetentionLimits(limits));
    m_hitDatabase->setRetention(limits);
}
