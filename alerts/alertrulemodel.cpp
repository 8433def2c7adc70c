#include "alerts/alertrulemodel.h"

void AlertRuleModel::setRules(const QList<AlertRule> &rules)
{
    beginResetModel();
    m_rows.clear();
    for (const AlertRule &rule : rules)
        m_rows.append({m_nextId++, rule, {}});
    endResetModel();
}

QList<AlertRule> AlertRuleModel::rules() const
{
    QList<AlertRule> rules;
    for (const Row &row : m_rows)
        rules.append(row.rule);
    return rules;
}

int AlertRuleModel::rowOf(int ruleId) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).id == ruleId)
            return row;
    }
    return -1;
}

void AlertRuleModel::insertRule(int row, const AlertRule &rule)
{
    beginInsertRows({}, row, row);
    m_rows.insert(row, {m_nextId++, rule, {}});
    endInsertRows();
    Q_EMIT rulesEdited();
}

void AlertRuleModel::replaceRule(int row, const AlertRule &rule)
{
    m_rows[row].rule = rule;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
    Q_EMIT rulesEdited();
}

void AlertRuleModel::removeRule(int row)
{
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    Q_EMIT rulesEdited();
}

void AlertRuleModel::setCommandStatus(int ruleId, const QString &status)
{
    const int row = rowOf(ruleId);
    if (row < 0)
        return;
    m_rows[row].commandStatus = status;
    Q_EMIT dataChanged(index(row, CommandColumn), index(row, CommandColumn));
}

int AlertRuleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AlertRuleModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AlertRuleModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Row &row = m_rows.at(index.row());
    if (index.column() == OnColumn && role == Qt::CheckStateRole)
        return row.rule.enabled ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return row.rule.name;
    case MatchesColumn:
        return ruleMatchesText(row.rule);
    case ActionsColumn:
        return ruleActionsText(row.rule);
    case CommandColumn:
        return row.commandStatus;
    default:
        return {};
    }
}

bool AlertRuleModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != OnColumn || role != Qt::CheckStateRole)
        return false;
    AlertRule rule = m_rows.at(index.row()).rule;
    rule.enabled = value.toInt() == Qt::Checked;
    replaceRule(index.row(), rule);
    return true;
}

Qt::ItemFlags AlertRuleModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == OnColumn)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant AlertRuleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[] = {"On", "Name", "Matches", "Actions", "Command"};
    return QString::fromLatin1(titles[section]);
}

QString ruleMatchesText(const AlertRule &rule)
{
    QStringList parts;
    if (!rule.words.trimmed().isEmpty())
        parts.append(u'"' + rule.words.trimmed() + u'"');
    if (!rule.frequency.trimmed().isEmpty())
        parts.append(rule.frequency.trimmed() + QStringLiteral(" MHz"));
    if (!rule.talkgroups.trimmed().isEmpty())
        parts.append(QStringLiteral("TG ") + talkgroupList(rule.talkgroups).join(u','));
    if (rule.kind == AlertRule::Kind::Conventional)
        parts.append(QStringLiteral("conventional"));
    else if (rule.kind == AlertRule::Kind::Trunked)
        parts.append(QStringLiteral("trunked"));
    return parts.isEmpty() ? QStringLiteral("every hit") : parts.join(QStringLiteral(", "));
}

QString ruleActionsText(const AlertRule &rule)
{
    QStringList parts;
    if (rule.notify)
        parts.append(QStringLiteral("notice"));
    if (rule.sound)
        parts.append(QStringLiteral("sound"));
    if (!rule.program.isEmpty())
        parts.append(QStringLiteral("command"));
    if (rule.recordHit)
        parts.append(QStringLiteral("record"));
    parts.append(QStringLiteral("%1 s").arg(rule.cooldownSeconds));
    return parts.join(QStringLiteral(", "));
}
