#include "app/logowidget.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

LogoWidget::LogoWidget(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void LogoWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);

    QLinearGradient plate(r.topLeft(), r.bottomLeft());
    plate.setColorAt(0, QColor(58, 64, 72));
    plate.setColorAt(1, QColor(24, 27, 31));
    p.setPen(QPen(QColor(12, 12, 14), 1));
    p.setBrush(plate);
    p.drawRoundedRect(r, 6, 6);

    // A toll gate's vane over a wave: the mark.
    const qreal h = r.height();
    QPainterPath wave;
    wave.moveTo(r.left() + 8, r.center().y() + h * 0.18);
    for (int i = 0; i < 4; ++i) {
        const qreal x = r.left() + 8 + i * h * 0.22;
        wave.quadTo(x + h * 0.055, r.center().y() + (i % 2 ? 0.36 : 0.0) * h - h * 0.05,
                    x + h * 0.11, r.center().y() + h * 0.18);
        wave.quadTo(x + h * 0.165, r.center().y() + h * 0.32, x + h * 0.22,
                    r.center().y() + h * 0.18);
    }
    p.setPen(QPen(QColor(255, 176, 59), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    p.drawLine(QPointF(r.left() + 8, r.top() + h * 0.28),
               QPointF(r.left() + 8 + h * 0.9, r.top() + h * 0.28));

    // The word starts after the vane's end (8 + 0.9 h), at any height, in
    // letters spaced 1.5 px apart.
    const QRectF text = r.adjusted(12 + h * 0.9, 0, -6, 0);
    if (m_wordFor != text.size()) {
        m_word = layOutKeyPrint(font(), QStringLiteral("TOLLVANE"), qMax(8, int(h * 0.38)),
                                text.width(), 1.5);
        m_wordFor = text.size();
    }
    p.setPen(QColor(236, 238, 240));
    drawKeyPrint(p, text, m_word, Qt::AlignVCenter | Qt::AlignLeft);

    if (hasFocus()) {
        p.setPen(QPen(QColor(255, 176, 59, 120), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 4, 4);
    }
}

void LogoWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void LogoWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(event);
}
