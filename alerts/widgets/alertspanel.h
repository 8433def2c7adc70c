#pragma once

#include "alerts/alertrulemodel.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTableView;

// The "Alerts" tab: the list of rules with Add, Edit, Remove, Duplicate and
// "Test", and a line telling how the alerts fare.
class AlertsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit AlertsPanel(QWidget *parent = nullptr);

    AlertRuleModel &model() { return m_model; }
    QTableView *table() const { return m_table; }
    int currentRow() const;
    void setNote(const QString &text);

    // Edits a rule; none when the user cancelled. By default the rule
    // dialog; tests replace it.
    std::function<std::optional<AlertRule>(const AlertRule &rule)> editRule;

    void addRule();
    void editCurrent();
    void removeCurrent();
    void duplicateCurrent();

Q_SIGNALS:
    // "Test": run the actions of the rule with this id on a sample hit.
    void testRequested(int ruleId);

private:
    void updateButtons();

    AlertRuleModel m_model;
    QTableView *m_table;
    QPushButton *m_edit;
    QPushButton *m_remove;
    QPushButton *m_duplicate;
    QPushButton *m_test;
    QLabel *m_note;
};
