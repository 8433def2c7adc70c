#include "alerts/widgets/alertspanel.h"

#include "alerts/widgets/alertruledialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton *button(const QString &caption, const char *objectName)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(QLatin1String(objectName));
    b->setAccessibleName(caption);
    return b;
}

} // namespace

AlertsPanel::AlertsPanel(QWidget *parent) : QWidget(parent)
{
    editRule = [this](const AlertRule &rule) -> std::optional<AlertRule> {
        AlertRuleDialog dialog(rule, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.rule();
    };

    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("alert_rules"));
    m_table->setAccessibleName(QStringLiteral("Alert rules"));
    m_table->setModel(&m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(AlertRuleModel::OnColumn, 36);

    auto *add = button(QStringLiteral("Add"), "alert_add");
    m_edit = button(QStringLiteral("Edit"), "alert_edit");
    m_remove = button(QStringLiteral("Remove"), "alert_remove");
    m_duplicate = button(QStringLiteral("Duplicate"), "alert_duplicate");
    m_test = button(QStringLiteral("Test"), "alert_test");
    m_note = new QLabel;
    m_note->setObjectName(QStringLiteral("alert_note"));
    m_note->setWordWrap(true);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {add, m_edit, m_remove, m_duplicate, m_test})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(m_table, 1);
    top->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_note);

    connect(add, &QPushButton::clicked, this, &AlertsPanel::addRule);
    connect(m_edit, &QPushButton::clicked, this, &AlertsPanel::editCurrent);
    connect(m_table, &QTableView::doubleClicked, this, &AlertsPanel::editCurrent);
    connect(m_remove, &QPushButton::clicked, this, &AlertsPanel::removeCurrent);
    connect(m_duplicate, &QPushButton::clicked, this, &AlertsPanel::duplicateCurrent);
    connect(m_test, &QPushButton::clicked, this, [this] {
        if (currentRow() >= 0)
            Q_EMIT testRequested(m_model.ruleId(currentRow()));
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AlertsPanel::updateButtons);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &AlertsPanel::updateButtons);
    updateButtons();
}

int AlertsPanel::currentRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void AlertsPanel::setNote(const QString &text)
{
    m_note->setText(text);
}

void AlertsPanel::addRule()
{
    AlertRule fresh;
    fresh.name = QStringLiteral("Alert %1").arg(m_model.rowCount() + 1);
    if (const auto rule = editRule(fresh)) {
        m_model.insertRule(m_model.rowCount(), *rule);
        m_table->selectRow(m_model.rowCount() - 1);
    }
}

void AlertsPanel::editCurrent()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (const auto rule = editRule(m_model.rule(row)))
        m_model.replaceRule(row, *rule);
}

void AlertsPanel::removeCurrent()
{
    const int row = currentRow();
    if (row < 0)
        return;
    m_model.removeRule(row);
    if (m_model.rowCount() > 0)
        m_table->selectRow(std::min(row, m_model.rowCount() - 1));
    updateButtons();
}

void AlertsPanel::duplicateCurrent()
{
    const int row = currentRow();
    if (row < 0)
        return;
    AlertRule copy = m_model.rule(row);
    copy.name += QStringLiteral(" (copy)");
    m_model.insertRule(row + 1, copy);
    m_table->selectRow(row + 1);
}

void AlertsPanel::updateButtons()
{
    const bool chosen = currentRow() >= 0;
    for (QPushButton *b : {m_edit, m_remove, m_duplicate, m_test})
        b->setEnabled(chosen);
}
