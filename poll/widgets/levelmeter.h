#pragma once

#include <QByteArray>
#include <QWidget>

#include <memory>

class LevelListener;
class MediaSystem;

// A live level meter for an audio input, so the scanner's volume can be set
// to fill the recordings without clipping. It listens only while it is
// shown; the bar shows the loudest sample of each block as a share of full
// scale, red from 90 %.
class LevelMeter : public QWidget
{
    Q_OBJECT
public:
    explicit LevelMeter(QWidget *parent = nullptr);
    ~LevelMeter() override;

    // The input of that id on the sound system; none for an empty id.
    void setInput(MediaSystem *media, const QByteArray &id);
    int level() const { return m_level; }
    bool isListening() const { return m_listener != nullptr; }

    QSize sizeHint() const override { return {160, 12}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void listen();
    void stopListening();
    void showLevel(int level);

    MediaSystem *m_media = nullptr;
    QByteArray m_input;
    std::unique_ptr<LevelListener> m_listener;
    int m_level = 0;
};
