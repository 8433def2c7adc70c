#include "log/loggridmodel.h"

#include <QBrush>
#include <QColor>

#include <array>

namespace {

constexpr std::array<int, LogGridModel::GridColumns> widthsTwips = {0,   3800, 1900, 1200,
                                                                    900, 1300, 1300, 1200};

constexpr std::array<const char16_t *, LogGridModel::GridColumns> captions = {
    u"", u"System / Group", u"Channel", u"Frequency", u"TGID / Tone", u"Start", u"End", u"Date"};

// Field k (from 0) of a TAB-separated piece; empty when the piece has fewer
// fields.
QStringView field(QStringView piece, int k)
{
    qsizetype start = 0;
    for (int i = 0; i < k; ++i) {
        const qsizetype tab = piece.indexOf(u'\t', start);
        if (tab < 0)
            return {};
        start = tab + 1;
    }
    const qsizetype tab = piece.indexOf(u'\t', start);
    return piece.mid(start, tab < 0 ? piece.size() - start : tab - start);
}

} // namespace

LogGridModel::LogGridModel(QObject *parent) : QAbstractTableModel(parent) {}

void LogGridModel::SetUpLogGrid(bool gridBlankFill)
{
    beginResetModel();
    m_text.clear();
    m_rows.clear();
    if (gridBlankFill)
        appendBlankRows(0);
    endResetModel();
}

void LogGridModel::RebuildLogGrid(const QString &logText)
{
    beginResetModel();
    m_rows.clear();

    // Walk the pieces one CR LF at a time and stop after piece 1500, so a
    // long log costs no more than 1501 lines. The empty text has no pieces.
    int pieces = 0;
    qsizetype pos = 0;
    qsizetype shownEnd = 0;
    bool atEnd = logText.isEmpty();
    while (!atEnd && pieces <= LastShownLine) {
        const qsizetype cut = logText.indexOf(u"\r\n", pos);
        const qsizetype pieceEnd = cut < 0 ? logText.size() : cut;
        const QStringView piece = QStringView(logText).mid(pos, pieceEnd - pos);
        if (piece.contains(u'/'))
            m_rows.append({pieces, pos, pieceEnd - pos});
        shownEnd = pieceEnd;
        ++pieces;
        if (cut < 0)
            atEnd = true;
        else
            pos = cut + 2;
    }
    if (atEnd)
        appendBlankRows(pieces);

    // A copy of its own, so the caller's text is never shared with the table
    // and stays cheap to grow.
    m_text = QString(logText.constData(), shownEnd);
    endResetModel();
}

void LogGridModel::appendBlankRows(int from)
{
    for (int number = from; number <= LastBlankRow; ++number)
        m_rows.append({number, 0, 0});
}

int LogGridModel::columnWidthTwips(int column)
{
    if (column < 0 || column >= GridColumns)
        return 0;
    return widthsTwips[column];
}

QString LogGridModel::cellText(int row, int column) const
{
    const Row &r = m_rows.at(row);
    if (column == 0)
        return QString::number(r.number);
    return field(QStringView(m_text).mid(r.begin, r.length), column - 1).toString();
}

int LogGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int LogGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : GridColumns;
}

QVariant LogGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.model() != this || index.row() >= m_rows.size())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), column);
    case Qt::TextAlignmentRole:
        if (column == 0)
            return {};
        if (column == 3 || column == 4)
            return int(Qt::AlignRight | Qt::AlignTop);
        return int(Qt::AlignLeft | Qt::AlignTop);
    case Qt::BackgroundRole:
        if (column == 0)
            return {};
        return QBrush(index.row() % 2 == 0 ? QColor(255, 255, 255) : QColor(250, 250, 250));
    default:
        return {};
    }
}

QVariant LogGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= GridColumns)
        return {};
    return QString::fromUtf16(captions[section]);
}

Qt::ItemFlags LogGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
