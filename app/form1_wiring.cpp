// What each element of the window does when it is used.
#include "app/form1.h"

#include "link/widgets/keybutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

void Form1::connectWidgets()
{
    connect(Timer1, &QTimer::timeout, this, &Form1::PollRadio);
    connect(Timer3, &QTimer::timeout, this, &Form1::onStatusTick);
    connect(&m_port, &RadioPort::lost, this, &Form1::onPortLost);
    connect(&m_logFile, &HitLogFileQueue::written, this, &Form1::onLogFileWritten);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form1::onComPortChosen);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form1::updateSerialAccessHint);
    connect(serialAccessHint, &QPushButton::clicked, this, &Form1::explainSerialAccess);
    connect(Combo2, &QComboBox::currentIndexChanged, this, &Form1::onSpeedChosen);
    connect(Command2, &QPushButton::clicked, this, &Form1::RunStop);

    connect(SSTab1, &QTabWidget::currentChanged, this, &Form1::onTabChanged);
    connect(key_clear_log, &QPushButton::clicked, this, &Form1::onClearLogClicked);
    connect(LogTextCheck, &QCheckBox::clicked, this, &Form1::onLogTextCheckClicked);
    connect(log_dir, &QPushButton::clicked, this, &Form1::onLogDirClicked);
    connect(AlwaysOnTopCheck, &QCheckBox::clicked, this, &Form1::ApplyAlwaysOnTop);

    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        const QString name = it.key();
        connect(it.value(), &KeyButton::clicked, this, [this, name] { runKeyOperation(name); });
    }

    connect(SaveMacrosButton, &QPushButton::clicked, this, &Form1::SaveMacros);
    connect(cmd_set_vol, &QPushButton::clicked, this, &Form1::setVolume);
    connect(cmd_set_sql, &QPushButton::clicked, this, &Form1::setSquelch);
    connectTuning();
    connectHarvest();
    connectLinkRecovery();
    connectPacing();
    connectNoAnswer();

    // The keyboard shortcuts work whichever element of the window has the
    // focus, so they are looked at before the element gets the key.
    qApp->installEventFilter(this);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
        if (watched == this)
            onFirstPaint();
        break;
    case QEvent::Show:
        if (watched == audio_input)
            onAudioInputShown();
        break;
    case QEvent::FocusIn:
        if (isTypingField(watched))
            text_entry_focus = true;
        break;
    case QEvent::FocusOut:
        if (isTypingField(watched))
            text_entry_focus = false;
        break;
    case QEvent::KeyPress: {
        if (historyTakesKey(watched))
            break;
        if (isLineField(watched)) {
            // Enter leaves a one-line field; a MHz field tunes its panel. It is
            // taken here: a line edit lets Enter go on to its parents, and by
            // then the focus has left the box, so the shortcuts would read it
            // as the radio's push key.
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                leaveLineField(watched);
                return true;
            }
        }
        if (tunerButtonTakesKey(watched, static_cast<QKeyEvent *>(event)))
            return true;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this && widget->isWidgetType())
            return handleKeyPress(static_cast<QKeyEvent *>(event));
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
