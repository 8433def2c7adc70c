#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

// The log table grdInfo: the newest hit lines of the log text as rows, one
// field per column. Column 0 holds the line's index in the log text (hidden
// in the view); columns 1 to 7 hold the seven TAB-separated fields of the hit
// line. While the log is short, blank rows numbered up to 20 fill the table.
//
// The model keeps only the part of the log text it shows and where each row
// starts in it; cells are cut out of that text when the view asks for them.
class LogGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int GridColumns = 8;
    // Lines 0 to 1500 of the log text, the newest 1501, can become rows.
    static constexpr int LastShownLine = 1500;
    // Blank rows fill the table up to this row number.
    static constexpr int LastBlankRow = 20;

    explicit LogGridModel(QObject *parent = nullptr);

    // Empties the table; with gridBlankFill, fills it with the 21 blank rows
    // numbered 0 to 20 of the start-up state.
    void SetUpLogGrid(bool gridBlankFill);

    // Rebuilds every row from the log text. The text is cut at each CR LF
    // into pieces numbered from 0; each piece up to number 1500 that contains
    // "/" (every hit line does) becomes a row; pieces without it show nothing
    // and their numbers are not reused. When the text has fewer than 21
    // pieces, blank rows numbered from the piece count up to 20 follow.
    // The text beyond piece 1500 is never looked at. The caller's
    // grid_blank_fill flag goes to "0" with every rebuild.
    void RebuildLogGrid(const QString &logText);

    // Column widths of the table in twips (column 0 is hidden).
    static int columnWidthTwips(int column);

    // The text of one cell, as shown.
    QString cellText(int row, int column) const;
    // The number in column 0 of a row.
    int rowNumber(int row) const { return m_rows.at(row).number; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    // A row is a stretch of m_text (empty for a blank row) and its number.
    struct Row
    {
        int number = 0;
        qsizetype begin = 0;
        qsizetype length = 0;
    };

    void appendBlankRows(int from);

    QString m_text;
    QList<Row> m_rows;
};
