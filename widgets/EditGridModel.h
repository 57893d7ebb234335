#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <functional>

// The cells of the evaluation grid as plain texts. Grid row 0, the fixed
// header row, is the model's horizontal header, so that it never scrolls;
// grid row r > 0 is model row r - 1. Column 0, the fixed subject column, is
// not enabled, so that it can never become the current cell.
class TEditGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TEditGridModel(int colCount, int rowCount, QObject* parent = nullptr);

    // Sizes in grid terms, header row included.
    int ColCount() const { return Cols; }
    int GridRowCount() const { return static_cast<int>(Cells.size()); }
    void SetColCount(int value);
    void SetGridRowCount(int value);

    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& value);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // What a cell means, for screen readers and whatever else reads the
    // model's display texts (the grid draws from the cells themselves):
    // the text of (col, row), and a description of it.
    std::function<QString(int col, int row)> Meaning;
    std::function<QString(int col, int row)> Description;

private:
    int Cols;
    QList<QStringList> Cells;
};
