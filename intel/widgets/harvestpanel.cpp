#include "intel/widgets/harvestpanel.h"

#include <QLabel>
#include <QPushButton>

HarvestPanel::HarvestPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Radio Programming"), parent),
      m_read(new QPushButton(QStringLiteral("Read Radio Programming"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)), m_progress(new QLabel(this))
{
    setObjectName(QStringLiteral("harvest_frame"));
    m_read->setObjectName(QStringLiteral("read_programming"));
    m_read->setAccessibleName(m_read->text());
    m_read->setGeometry(10, 20, 162, 26);
    m_cancel->setObjectName(QStringLiteral("cancel_harvest"));
    m_cancel->setAccessibleName(m_cancel->text());
    m_cancel->setGeometry(176, 20, 58, 26);
    m_progress->setObjectName(QStringLiteral("harvest_progress"));
    m_progress->setAccessibleName(QStringLiteral("Radio programming progress"));
    m_progress->setGeometry(10, 50, 226, 40);
    m_progress->setTextFormat(Qt::PlainText);
    m_progress->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = m_progress->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_progress->setFont(small);
    connect(m_read, &QPushButton::clicked, this, &HarvestPanel::readClicked);
    connect(m_cancel, &QPushButton::clicked, this, &HarvestPanel::cancelClicked);
    updateButtons();
}

void HarvestPanel::setLinkRunning(bool running)
{
    m_linkRunning = running;
    updateButtons();
}

void HarvestPanel::setHarvesting(bool harvesting)
{
    m_harvesting = harvesting;
    updateButtons();
}

void HarvestPanel::setProgressText(const QString &text)
{
    m_progress->setText(text);
}

void HarvestPanel::updateButtons()
{
    m_read->setEnabled(m_linkRunning && !m_harvesting);
    m_cancel->setEnabled(m_harvesting);
}
