#include "widgets/EditGridModel.h"

#include <algorithm>

namespace {

QStringList EmptyRow(int cols) {
    QStringList row;
    row.resize(cols);
    return row;
}

} // namespace

TEditGridModel::TEditGridModel(int colCount, int rowCount, QObject* parent)
    : QAbstractTableModel(parent)
    , Cols(std::max(colCount, 1)) {
    Cells.fill(EmptyRow(Cols), std::max(rowCount, 1));
}

void TEditGridModel::SetColCount(int value) {
    value = std::max(value, 1);
    if (value == Cols)
        return;
    if (value > Cols)
        beginInsertColumns({}, Cols, value - 1);
    else
        beginRemoveColumns({}, value, Cols - 1);
    for (QStringList& row : Cells)
        row.resize(value);
    const bool inserted = value > Cols;
    Cols = value;
    if (inserted)
        endInsertColumns();
    else
        endRemoveColumns();
}

void TEditGridModel::SetGridRowCount(int value) {
    value = std::max(value, 1);
    const int old = GridRowCount();
    if (value == old)
        return;
    if (value > old) {
        beginInsertRows({}, old - 1, value - 2);
        Cells.insert(old, value - old, EmptyRow(Cols));
        endInsertRows();
    } else {
        beginRemoveRows({}, value - 1, old - 2);
        Cells.resize(value);
        endRemoveRows();
    }
}

QString TEditGridModel::Cell(int col, int row) const {
    if (col < 0 || col >= Cols || row < 0 || row >= GridRowCount())
        return {};
    return Cells[row][col];
}

void TEditGridModel::SetCell(int col, int row, const QString& value) {
    if (col < 0 || col >= Cols || row < 0 || row >= GridRowCount())
        return;
    QString& cell = Cells[row][col];
    if (cell == value)
        return;
    cell = value;
    if (row == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex changed = index(row - 1, col);
        Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole});
    }
}

int TEditGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : GridRowCount() - 1;
}

int TEditGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Cols;
}

QVariant TEditGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int col = index.column();
    const int row = index.row() + 1;
    switch (role) {
    case Qt::EditRole:
        return Cell(col, row);
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return Meaning ? Meaning(col, row) : Cell(col, row);
    case Qt::AccessibleDescriptionRole:
        return Description ? Description(col, row) : QString();
    default:
        return {};
    }
}

QVariant TEditGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Cols)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return Meaning ? Meaning(section, 0) : Cell(section, 0);
    return {};
}

Qt::ItemFlags TEditGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == 0)
        return Qt::ItemNeverHasChildren;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
