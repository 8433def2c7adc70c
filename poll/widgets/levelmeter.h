#pragma once

#include <QAudioDevice>
#include <QWidget>

#include <memory>

class QAudioSource;
class QIODevice;

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

    void setInput(const QAudioDevice &device);
    int level() const { return m_level; }
    bool isListening() const { return m_samples != nullptr; }

    QSize sizeHint() const override { return {160, 12}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void listen();
    void stopListening();
    void takeSamples();

    QAudioDevice m_device;
    std::unique_ptr<QAudioSource> m_source;
    QIODevice *m_samples = nullptr;
    int m_level = 0;
};
