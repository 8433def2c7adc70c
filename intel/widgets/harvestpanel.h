#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;

// The frame of the harvest on the "Settings" tab: the button that reads the
// radio's programming, its progress, and Cancel.
class HarvestPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit HarvestPanel(QWidget *parent = nullptr);

    // Reading is offered while the link runs and no harvest is under way;
    // Cancel only during a harvest.
    void setLinkRunning(bool running);
    void setHarvesting(bool harvesting);
    void setProgressText(const QString &text);

    QPushButton *readButton() const { return m_read; }
    QPushButton *cancelButton() const { return m_cancel; }

Q_SIGNALS:
    void readClicked();
    void cancelClicked();

private:
    void updateButtons();

    QPushButton *m_read;
    QPushButton *m_cancel;
    QLabel *m_progress;
    bool m_linkRunning = false;
    bool m_harvesting = false;
};
