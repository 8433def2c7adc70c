#include "log/widgets/hitlogview.h"

#include "log/hitlogtext.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int margin = 4;
constexpr int tabStopSpaces = 12;

// The width of a line with its TABs taken to the next tab stop.
int textWidth(QStringView line, const QFontMetrics &metrics, qreal tabStop)
{
    qreal x = 0;
    bool first = true;
    for (const QStringView part : line.tokenize(u'\t')) {
        if (!first)
            x = (qFloor(x / tabStop) + 1) * tabStop;
        first = false;
        x += metrics.horizontalAdvance(part.toString());
    }
    return qCeil(x);
}

} // namespace

HitLogView::HitLogView(QWidget *parent) : QAbstractScrollArea(parent)
{
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    m_option.setWrapMode(QTextOption::NoWrap);
}

void HitLogView::setLog(const HitLogText *log)
{
    m_log = log;
    m_measuredLines = 0;
    m_widest = 0;
    logChanged();
}

qsizetype HitLogView::lineCount() const
{
    return m_log ? m_log->lineCount() : 0;
}

void HitLogView::logChanged()
{
    const qsizetype count = lineCount();
    if (count < m_measuredLines) {
        m_measuredLines = 0;
        m_widest = 0;
    }
    // Only the lines that came in at the top are measured.
    if (count == m_measuredLines) {
        updateScrollBars();
        viewport()->update();
        return;
    }
    const qreal tabStop = textOption().tabStopDistance();
    const QFontMetrics metrics(font());
    const qsizetype added = count - m_measuredLines;
    const bool atTheTop = m_measuredLines > 0 && firstVisibleLine() == 0;
    for (qsizetype i = 0; i < added; ++i)
        m_widest = qMax(m_widest, textWidth(m_log->line(i), metrics, tabStop));
    m_measuredLines = count;
    const int across = horizontalScrollBar()->value();
    updateScrollBars();
    // Lines that came in above the lines in sight push them down: what is
    // painted already moves, and only the new lines are painted.
    const int spacing = qMax(1, metrics.lineSpacing());
    if (atTheTop && firstVisibleLine() == 0 && horizontalScrollBar()->value() == across &&
        added * spacing < viewport()->height()) {
        const int pushed = int(added) * spacing;
        viewport()->scroll(0, pushed);
        // The new lines start below the top margin: their last pixels lie
        // below the strip the move laid bare.
        viewport()->update(0, 0, viewport()->width(), pushed + margin / 2);
    } else
        viewport()->update();
}

QString HitLogView::toPlainText() const
{
    QStringList lines;
    for (qsizetype i = 0; i < lineCount(); ++i)
        lines.append(m_log->line(i).toString());
    return lines.join(u'\n');
}

qsizetype HitLogView::firstVisibleLine() const
{
    return verticalScrollBar()->value();
}

void HitLogView::updateScrollBars()
{
    // An empty log needs no font measured (the window starts sooner).
    if (lineCount() == 0) {
        verticalScrollBar()->setRange(0, 0);
        horizontalScrollBar()->setRange(0, 0);
        return;
    }
    const int spacing = qMax(1, fontMetrics().lineSpacing());
    const int inSight = qMax(1, (viewport()->height() - margin) / spacing);
    verticalScrollBar()->setRange(0, int(qMax<qsizetype>(0, lineCount() - inSight)));
    verticalScrollBar()->setPageStep(inSight);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, qMax(0, m_widest + 2 * margin - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth());
}

void HitLogView::paintEvent(QPaintEvent *event)
{
    if (lineCount() == 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int spacing = qMax(1, fontMetrics().lineSpacing());
    const int left = margin - horizontalScrollBar()->value();
    const int width = qMax(m_widest, viewport()->width()) + margin;
    // Line i fills margin / 2 + i * spacing and the spacing below it.
    const qsizetype first =
        firstVisibleLine() + qMax(0, event->rect().top() - margin / 2) / spacing;
    const qsizetype last =
        qMin(lineCount() - 1,
             firstVisibleLine() + qMax(0, event->rect().bottom() - margin / 2) / spacing);
    for (qsizetype i = first; i <= last; ++i) {
        const int top = margin / 2 + int(i - firstVisibleLine()) * spacing;
        painter.drawText(QRectF(left, top, width, spacing), m_log->line(i).toString(),
                         textOption());
    }
}

void HitLogView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void HitLogView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_tabStopFont = QFont();
        m_measuredLines = 0;
        m_widest = 0;
        logChanged();
    }
}

const QTextOption &HitLogView::textOption()
{
    // Measured when first needed, not when the font is set.
    if (m_tabStopFont != font() || m_option.tabStopDistance() <= 0) {
        m_option.setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) *
                                    tabStopSpaces);
        m_tabStopFont = font();
    }
    return m_option;
}
