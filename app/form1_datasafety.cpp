// Data safety: "Clear Log" asks first, the log folder in use is shown and this
// run's file follows it, a second start on the data folder is turned away,
// and the shutdown says what failed without waiting for anyone.
#include "app/form1.h"

#include "log/logfilepath.h"
#include "log/logfolderchoice.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include <cstdio>

void Form1::buildLogFolderLabel()
{
    // Below the data folder, in its frame: where this run's log file goes.
    dataFolderLabel->setGeometry(10, 20, 226, 32);
    logFolderLabel = new QLabel(dataFolderLabel->parentWidget());
    logFolderLabel->setObjectName(QStringLiteral("logFolderLabel"));
    logFolderLabel->setGeometry(10, 54, 226, 34);
    logFolderLabel->setWordWrap(true);
    logFolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    logFolderLabel->setAccessibleName(QStringLiteral("Log folder"));
    logFolderLabel->setToolTip(QStringLiteral("The run's log file goes to this folder; the "
                                              "\"Log Directory\" button changes it."));
    showLogFolder();
}

void Form1::showLogFolder()
{
    logFolderLabel->setText(
        QStringLiteral("Log folder: ") +
        QDir::toNativeSeparators(effectiveLogFolder(log_folder, m_options.dataFolder)));
}

bool Form1::askUser(const QString &question)
{
    if (m_options.askQuestion)
        return m_options.askQuestion(question);
    return QMessageBox::question(this, QStringLiteral("Tollvane"), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void Form1::tellUserBriefly(const QString &text)
{
    const QString before = Text3->text();
    showStatusNote(text, statusNoteMs);
    // Stopped, nothing else writes the status line: its prompt comes back.
    QTimer::singleShot(statusNoteMs, this, [this, text, before] {
        if (!Timer1->isActive() && Text3->text() == text)
            Text3->setText(before);
    });
}

void Form1::tellUserQuietly(const QString &text)
{
    QString line = text;
    line.replace(QLatin1String("\n\n"), QLatin1String(" ")).replace(u'\n', u' ');
    std::fprintf(stderr, "tollvane: %s\n", qPrintable(line));
    std::fflush(stderr);
    Text3->setText(line);
}

void Form1::moveThisRunsFile(const QString &from)
{
    // What is still being written goes to the old place first.
    flushLogFile();
    const QString to = hitLogFilePath();
    QString why = moveRunFile(from, to);
    while (why.endsWith(u'.'))
        why.chop(1);
    if (!why.isEmpty())
        tellUser(QStringLiteral("This run's log file %1 could not be moved to %2: %3.\n\n"
                                "The new folder takes the log from the next hit on.")
                     .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to), why));
}

void Form1::showRunningWindow()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void Form1::saveForSessionEnd()
{
    const bool wasQuiet = m_quiet;
    m_quiet = true;
    savePgmSettings();
    if (LogTextCheck->isChecked() && !m_log.text().isEmpty())
        WriteHitLogFile();
    flushLogFile();
    m_quiet = wasQuiet;
}
