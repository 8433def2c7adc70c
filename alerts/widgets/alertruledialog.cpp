#include "alerts/widgets/alertruledialog.h"

#include "alerts/alertcommand.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

template <typename W> W *named(W *widget, const char *objectName, const QString &accessible)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(accessible);
    return widget;
}

} // namespace

AlertRuleDialog::AlertRuleDialog(const AlertRule &rule, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Alert Rule"));
    m_name = named(new QLineEdit(rule.name), "alert_name", QStringLiteral("Name"));
    m_words = named(new QLineEdit(rule.words), "alert_words", QStringLiteral("Words"));
    m_words->setPlaceholderText(QStringLiteral("in the system, group or channel name"));
    m_frequency =
        named(new QLineEdit(rule.frequency), "alert_frequency", QStringLiteral("Frequency (MHz)"));
    m_frequency->setPlaceholderText(QStringLiteral("154.07 or 154.0-155.5"));
    m_talkgroups =
        named(new QLineEdit(rule.talkgroups), "alert_talkgroups", QStringLiteral("Talkgroups"));
    m_kind = named(new QComboBox, "alert_kind", QStringLiteral("Hits"));
    m_kind->addItems({QStringLiteral("Any"), QStringLiteral("Conventional only"),
                      QStringLiteral("Trunked only")});
    m_kind->setCurrentIndex(int(rule.kind));

    m_notify = named(new QCheckBox(QStringLiteral("Desktop notice")), "alert_notify",
                     QStringLiteral("Desktop notice"));
    m_notify->setChecked(rule.notify);
    m_sound = named(new QCheckBox(QStringLiteral("Sound")), "alert_sound", QStringLiteral("Sound"));
    m_sound->setChecked(rule.sound);
    m_soundFile =
        named(new QLineEdit(rule.soundFile), "alert_sound_file", QStringLiteral("Sound file"));
    m_soundFile->setPlaceholderText(QStringLiteral("built-in chime"));
    auto *pick = named(new QPushButton(QStringLiteral("Choose...")), "alert_sound_choose",
                       QStringLiteral("Choose sound file"));
    chooseSoundFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Alert Sound"), QString(),
                                            QStringLiteral("Wave files (*.wav)"));
    };
    connect(pick, &QPushButton::clicked, this, [this] {
        const QString file = chooseSoundFile();
        if (!file.isEmpty()) {
            m_soundFile->setText(file);
            m_sound->setChecked(true);
        }
    });
    m_program = named(new QLineEdit(rule.program), "alert_program", QStringLiteral("Program"));
    m_arguments = named(new QPlainTextEdit(rule.arguments.join(u'\n')), "alert_arguments",
                        QStringLiteral("Arguments, one per line"));
    m_arguments->setPlaceholderText(alertPlaceholders().join(u' '));
    m_arguments->setTabChangesFocus(true);
    m_record = named(new QCheckBox(QStringLiteral("Record this hit")), "alert_record",
                     QStringLiteral("Record this hit"));
    m_record->setChecked(rule.recordHit);
    m_cooldown = named(new QSpinBox, "alert_cooldown", QStringLiteral("Cooldown (s)"));
    m_cooldown->setRange(0, 86400);
    m_cooldown->setValue(rule.cooldownSeconds);
    m_enabled = named(new QCheckBox(QStringLiteral("On")), "alert_enabled", QStringLiteral("On"));
    m_enabled->setChecked(rule.enabled);
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("alert_problem"));
    m_problem->setWordWrap(true);

    auto *soundRow = new QHBoxLayout;
    soundRow->addWidget(m_sound);
    soundRow->addWidget(m_soundFile, 1);
    soundRow->addWidget(pick);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), m_name);
    form->addRow(QStringLiteral("Words"), m_words);
    form->addRow(QStringLiteral("Frequency (MHz)"), m_frequency);
    form->addRow(QStringLiteral("Talkgroups"), m_talkgroups);
    form->addRow(QStringLiteral("Hits"), m_kind);
    form->addRow(m_notify);
    form->addRow(soundRow);
    form->addRow(QStringLiteral("Program"), m_program);
    form->addRow(QStringLiteral("Arguments"), m_arguments);
    form->addRow(m_record);
    form->addRow(QStringLiteral("Cooldown (s)"), m_cooldown);
    form->addRow(m_enabled);
    form->addRow(m_problem);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    for (QAbstractButton *button : buttons->buttons())
        button->setAccessibleName(button->text().remove(u'&'));
    connect(buttons, &QDialogButtonBox::accepted, this, &AlertRuleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AlertRuleDialog::reject);
    form->addRow(buttons);
    setLayout(form);
}

AlertRule AlertRuleDialog::rule() const
{
    AlertRule rule;
    rule.name = m_name->text().trimmed();
    rule.words = m_words->text();
    rule.frequency = m_frequency->text().trimmed();
    rule.talkgroups = m_talkgroups->text().trimmed();
    rule.kind = AlertRule::Kind(m_kind->currentIndex());
    rule.notify = m_notify->isChecked();
    rule.sound = m_sound->isChecked();
    rule.soundFile = m_soundFile->text().trimmed();
    rule.program = m_program->text().trimmed();
    rule.arguments = m_arguments->toPlainText().split(u'\n');
    // A last empty line is the end of the text, not an argument.
    while (!rule.arguments.isEmpty() && rule.arguments.last().isEmpty())
        rule.arguments.removeLast();
    rule.recordHit = m_record->isChecked();
    rule.cooldownSeconds = m_cooldown->value();
    rule.enabled = m_enabled->isChecked();
    return rule;
}

void AlertRuleDialog::accept()
{
    const QString problem = ruleProblem(rule());
    m_problem->setText(problem);
    if (problem.isEmpty())
        QDialog::accept();
}
