#pragma once

#include <QAbstractScrollArea>
#include <QTextOption>

class HitLogText;

// The log box: a read-only view of the hit log, newest line at the top. It
// keeps no text of its own; it paints the lines in sight straight from the
// HitLogText it is given, so a long run costs the log text and nothing more.
class HitLogView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit HitLogView(QWidget *parent = nullptr);

    // The log to show; it must outlive the view.
    void setLog(const HitLogText *log);
    // Call after every change of the log: new lines at the top, or cleared.
    void logChanged();

    // What the box shows: the lines joined by new lines.
    QString toPlainText() const;
    // The index of the first line in sight.
    qsizetype firstVisibleLine() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateScrollBars();
    const QTextOption &textOption();
    qsizetype lineCount() const;

    const HitLogText *m_log = nullptr;
    QTextOption m_option;
    QFont m_tabStopFont;           // the font m_option's tab stops were measured in
    qsizetype m_measuredLines = 0; // lines whose width is in m_widest
    int m_widest = 0;
};
