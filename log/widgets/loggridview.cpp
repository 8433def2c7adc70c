#include "log/widgets/loggridview.h"

#include "link/twips.h"

#include "log/gridcolumnfit.h"
#include "log/loggridmodel.h"
#include "log/widgets/loggriddelegate.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

void ShadeLogGrid(QTableView *view)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    // The top-left cell becomes current without selecting its row, so the
    // newest hit keeps its shading until the user picks a row; a row the
    // user picked stays selected.
    if (view->selectionModel())
        view->selectionModel()->setCurrentIndex(model->index(0, 1), QItemSelectionModel::NoUpdate);
}

void setUpLogGridView(QTableView *view)
{
    QAbstractItemModel *model = view->model();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->setItemDelegate(new LogGridDelegate(view));
    view->setShowGrid(false); // the cells draw it
    view->setCornerButtonEnabled(false);

    QHeaderView *rows = view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 4);

    QHeaderView *columns = view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setStretchLastSection(false);
    columns->setHighlightSections(false);
    // The design widths were made for a narrower font: a header that needs
    // more gets it, and "System / Group" gives the room back, so that the
    // seven columns fit the table and no header is cut.
    QList<int> design;
    QList<int> least;
    for (int column = 0; column < LogGridModel::GridColumns; ++column) {
        design.append(twipsToPixels(LogGridModel::columnWidthTwips(column)));
        least.append(column == 0 ? 0 : columns->sectionSizeHint(column));
    }
    const int available =
        view->width() - 2 * view->frameWidth() - view->verticalScrollBar()->sizeHint().width();
    const QList<int> widths = fitColumnWidths(design, least, available, 1);
    for (int column = 0; column < LogGridModel::GridColumns; ++column)
        view->setColumnWidth(column, widths.at(column));
    view->setColumnHidden(0, true);

    if (model) {
        QObject::connect(model, &QAbstractItemModel::modelReset, view,
                         [view] { ShadeLogGrid(view); });
        ShadeLogGrid(view);
    }
}
