#pragma once

class QTableView;

// Prepares the view of the log table. The view's model must already be a
// LogGridModel and the view must have its final size. Column 0 (the line
// number) is hidden, the other columns get their fixed widths (fitted to the
// view so that every caption shows) and captions, whole rows are selected,
// nothing can be edited, and after every rebuild of the model the first
// visible cell of row 0 is made current.
void setUpLogGridView(QTableView *view);

// Makes the top-left visible cell (row 0, column 1) current. The shading
// itself comes with the model's rows.
void ShadeLogGrid(QTableView *view);
