// The harvest: the radio's programming (systems, groups, channels) read into
// hit_intel.txt in the data folder, with the poll off while it runs.
#include "app/form1.h"

#include "intel/harvestmessages.h"
#include "intel/hitintelfile.h"
#include "intel/widgets/harvestpanel.h"
#include "link/savefile.h"
#include "poll/radiotext.h"

#include <QLabel>

void Form1::buildHarvestPanel(QWidget *page)
{
    harvestPanel = new HarvestPanel(page);
    // Below the macros, beside the audio input.
    harvestPanel->setGeometry(248, 204, 250, 94);
}

void Form1::connectHarvest()
{
    connect(Timer2, &QTimer::timeout, this, &Form1::HarvestHitIntelligence);
    connect(harvestPanel, &HarvestPanel::readClicked, this, &Form1::StartHarvest);
    connect(harvestPanel, &HarvestPanel::cancelClicked, this, &Form1::cancelHarvest);
    connect(&m_harvest, &HarvestDriver::progressed, this, &Form1::onHarvestProgressed);
    connect(&m_harvest, &HarvestDriver::finished, this, &Form1::onHarvestFinished);
    connect(&m_port, &RadioPort::stateChanged, this, &Form1::onPortStateForHarvest);
}

bool Form1::isHarvesting() const
{
    return Timer2->isActive() || m_harvest.isRunning();
}

void Form1::StartHarvest()
{
    if (isHarvesting() || !m_port.isOpen())
        return;
    Timer1->stop();
    Timer2->start();
    harvestPanel->setHarvesting(true);
    harvestPanel->setProgressText(harvestProgressText({}));
    focusLogo();
}

void Form1::HarvestHitIntelligence()
{
    Timer2->stop();
    debug_box->clear();
    m_harvest.start();
}

void Form1::onHarvestProgressed()
{
    const HarvestProgress &progress = m_harvest.walk().progress();
    harvestPanel->setProgressText(harvestProgressText(progress));
    if (!progress.channel.isEmpty())
        Text1->setText(QStringLiteral("Found: \n") + radioText(progress.channel));
}

void Form1::onHarvestFinished()
{
    const HarvestWalk &walk = m_harvest.walk();
    const QString done = harvestProgressText(walk.progress(), QStringLiteral("Done!"));
    harvestPanel->setProgressText(done);
    const QString path = hitIntelPath(m_options.dataFolder);
    QString error;
    if (!walk.foundProgramming()) {
        // A radio that did not answer must not wipe what an earlier
        // harvest found.
        tellUser(QStringLiteral("The radio did not give its programming: it did not answer, or "
                                "refused the reads. %1 is as it was before.")
                     .arg(path));
    } else if (error = saveWholeFile(path, hitIntelText(walk.channels())); error.isEmpty()) {
        tellUser(harvestEndMessage(walk.chainsCut()));
    } else {
        tellUser(QStringLiteral("The radio's programming was read, but %1 could not be written "
                                "(%2). The file is as it was before.")
                     .arg(path, error));
    }
    debug_box->clear();
    endHarvest(done);
}

void Form1::cancelHarvest()
{
    if (!isHarvesting())
        return;
    // Cancelled before the walk began: nothing was read.
    const HarvestProgress progress =
        Timer2->isActive() ? HarvestProgress() : m_harvest.walk().progress();
    Timer2->stop();
    m_harvest.cancel();
    endHarvest(harvestProgressText(progress, QStringLiteral("Cancelled")));
    focusLogo();
}

void Form1::endHarvest(const QString &progressText)
{
    SendCommand(QByteArrayLiteral("EPG"));
    harvestPanel->setHarvesting(false);
    harvestPanel->setProgressText(progressText);
    // The poll resumes only on a line that is still running (Stop may have
    // been pressed while the message was up).
    if (m_port.isOpen())
        Timer1->start();
}

void Form1::onPortStateForHarvest(RadioPort::State state)
{
    const bool open = state == RadioPort::State::Open;
    harvestPanel->setLinkRunning(open);
    if (open || !isHarvesting())
        return;
    // The line has closed under the harvest: nothing more can be read.
    Timer2->stop();
    m_harvest.cancel();
    harvestPanel->setHarvesting(false);
    harvestPanel->setProgressText(harvestProgressText(
        m_harvest.walk().progress(), QStringLiteral("Stopped: the line to the radio closed")));
}
