#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>

// The signal meter picture for one level: an empty frame of five rising
// bars at 0, the lowest `level` bars filled above it. Drawn at the given
// size and pixel ratio, so it stays sharp at any scale.
QPixmap signalMeterPixmap(int level, QSize size, qreal devicePixelRatio);

// The screen's signal meter: 15 x 11 pixels at design size.
class SignalMeter : public QWidget
{
    Q_OBJECT
public:
    static constexpr int maximumLevel = 5;

    explicit SignalMeter(QWidget *parent = nullptr);

    // Levels outside 0 to 5 are taken as the nearest one.
    void setLevel(int level);
    int level() const { return m_level; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_level = 0;
    // The six pictures, drawn once per size and pixel ratio.
    QList<QPixmap> m_pictures;
};
