#pragma once

#include <QTableView>

class TClassEntryHeader;

// A whole class in one grid, typed into like a spreadsheet: one row per
// pupil (the row headers are the names, which stay in place while the rest
// scrolls), a level and a mark column per subject, summary rows below the
// pupils that the cursor never enters (the model leaves them disabled).
//
// The model tells each column's kind (KindRole in the horizontal header
// data and in each cell), the subject and heading groups of the header
// bands, and edits mark cells through an editor it offers. Levels are
// never edited in place: a level key, Delete and Paste are told to the
// owner, who changes the records; the model then shows the change.
class TClassEntryGrid : public QTableView {
    Q_OBJECT

public:
    enum TRole {
        KindRole = Qt::UserRole + 100, // TKind of a column or cell
        SubjectRole,                   // header: columns of one subject share it
        BandRole,                      // header: the heading text above the subject
        BandGroupRole,                 // header: subjects under one heading share it
        HasBandsRole,                  // header: whether any subject has a heading
        NoteRole,                      // cell: the comment on it, marked in its corner
    };
    enum TKind { LevelKind = 0, MarkKind = 1 };

    explicit TClassEntryGrid(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // Column widths for the texts of the current font.
    void FitColumns();
    // The first pupil's first level cell, the cell a new window starts on.
    void GoToFirstCell();
    // The selected cells of a kind; the current cell when nothing is
    // selected.
    QModelIndexList SelectedCells() const;
    // The selection as tab-separated text: the rectangle around it, one
    // line per row, blanks for the cells of the rectangle not selected.
    QString SelectionText() const;

Q_SIGNALS:
    // A level key (A, B, C, ?, their lower case, 1 to 4) on level cells.
    void LevelTyped(const QModelIndexList& cells, int level);
    // Delete on the cells: levels back to "?", marks removed.
    void ClearRequested(const QModelIndexList& cells);
    void PasteRequested(const QModelIndex& at, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyboardSearch(const QString& search) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool IsLevelCell(const QModelIndex& index) const;
    bool IsPupilRow(int row) const;
    // After a level key or a committed mark: the next pupil in the column,
    // or the first pupil of the next subject after the last one.
    void MoveDown();

    TClassEntryHeader* FHeader;
};
