#include "link/widgets/keyhelpdialog.h"

#include "link/keyhelp.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

KeyHelpDialog::KeyHelpDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("key_help"));
    setWindowTitle(QStringLiteral("Keys"));
    const QList<KeyHelpRow> rows = keyboardHelpRows();
    auto *table = new QTableWidget(int(rows.size()), 2, this);
    table->setObjectName(QStringLiteral("key_help_table"));
    table->setAccessibleName(QStringLiteral("Keys"));
    table->setHorizontalHeaderLabels({QStringLiteral("Keys"), QStringLiteral("Does")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < rows.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(rows.at(row).keys));
        table->setItem(row, 1, new QTableWidgetItem(rows.at(row).action));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const QString note =
        QStringLiteral("The radio's keys work while no typing field has the focus.");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table, 1);
    layout->addWidget(new QLabel(note, this));
    layout->addWidget(buttons);
    resize(420, 520);
}
