#include "log/widgets/loggridview.h"

#include "link/twips.h"

#include "log/loggridmodel.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableView>

void ShadeLogGrid(QTableView *view)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    // The top-left cell becomes current without selecting its row, so the
    // newest hit keeps its shading until the user picks a row.
    if (view->selectionModel())
        view->selectionModel()->setCurrentIndex(model->index(0, 1), QItemSelectionModel::Clear);
}

void setUpLogGridView(QTableView *view)
{
    QAbstractItemModel *model = view->model();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);

    QHeaderView *rows = view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 4);

    QHeaderView *columns = view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setStretchLastSection(false);
    columns->setHighlightSections(false);
    for (int column = 0; column < LogGridModel::GridColumns; ++column)
        view->setColumnWidth(column, twipsToPixels(LogGridModel::columnWidthTwips(column)));
    view->setColumnHidden(0, true);

    if (model) {
        QObject::connect(model, &QAbstractItemModel::modelReset, view,
                         [view] { ShadeLogGrid(view); });
        ShadeLogGrid(view);
    }
}
