#pragma once

#include "alerts/alertrule.h"

#include <QAbstractTableModel>
#include <QList>

// The rules as the Alerts tab lists them: whether each is on, its name,
// what it matches, what it does, and how its command last went. Each rule
// has an id for this run, kept through edits and moves.
class AlertRuleModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { OnColumn, NameColumn, MatchesColumn, ActionsColumn, CommandColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setRules(const QList<AlertRule> &rules);
    QList<AlertRule> rules() const;
    const AlertRule &rule(int row) const { return m_rows.at(row).rule; }
    int ruleId(int row) const { return m_rows.at(row).id; }
    int rowOf(int ruleId) const;

    void insertRule(int row, const AlertRule &rule);
    void replaceRule(int row, const AlertRule &rule);
    void removeRule(int row);
    // Shown in the rule's "Command" column.
    void setCommandStatus(int ruleId, const QString &status);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

Q_SIGNALS:
    // The user changed the rules (not a command's status).
    void rulesEdited();

private:
    struct Row
    {
        int id;
        AlertRule rule;
        QString commandStatus;
    };
    QList<Row> m_rows;
    int m_nextId = 1;
};

// The list's texts for a rule.
QString ruleMatchesText(const AlertRule &rule);
QString ruleActionsText(const AlertRule &rule);
