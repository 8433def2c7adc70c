#pragma once

#include "alerts/alertrule.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// Edits one alert rule: its name, what it matches, its actions, its
// cooldown and whether it is on. OK is refused while the rule is wrong.
class AlertRuleDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AlertRuleDialog(const AlertRule &rule, QWidget *parent = nullptr);

    AlertRule rule() const;
    void accept() override;

    // Asks for a WAV file; empty when cancelled. Tests replace it.
    std::function<QString()> chooseSoundFile;

private:
    QLineEdit *m_name;
    QLineEdit *m_words;
    QLineEdit *m_frequency;
    QLineEdit *m_talkgroups;
    QComboBox *m_kind;
    QCheckBox *m_notify;
    QCheckBox *m_sound;
    QLineEdit *m_soundFile;
    QLineEdit *m_program;
    QPlainTextEdit *m_arguments;
    QCheckBox *m_record;
    QSpinBox *m_cooldown;
    QCheckBox *m_enabled;
    QLabel *m_problem;
};
