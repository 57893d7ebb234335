#pragma once

#include "widgets/CrossPicture.h"
#include "widgets/GridTextMeter.h"
#include "widgets/XBaloon.h"

#include <QCursor>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTableView>

#include <functional>

class TEditGridModel;
class TEditGridHeader;
class TGridInplaceEdit;

// The evaluation grid: subjects as rows, one check column per level and one
// edit column for the mark. Row 0 and column 0 are fixed. In every evaluated
// row at most one check cell holds the mark " X "; the owner fills the cells
// and hears of the user's changes through OnModifyCheck and OnModifyEdit.
// Cell coordinates are given column first, as (ACol, ARow).
class TEditGrid : public QTableView {
    Q_OBJECT

public:
    explicit TEditGrid(QWidget* parent = nullptr);
    ~TEditGrid() override;

    int ColCount() const;
    void SetColCount(int Value);
    // Rows including the fixed row 0.
    int RowCount() const;
    void SetRowCount(int Value);
    int FixedRows() const { return 1; }
    // The current cell's row (0 when there is none: the fixed row is never current).
    int CurrentRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }
    int FixedCols() const { return 1; }

    QString Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const QString& Value);
    QString HeaderHints(int ACol) const;
    void SetHeaderHints(int ACol, const QString& Value);

    bool CanEdit() const { return FCanEdit; }
    void SetCanEdit(bool Value);
    int EditCol() const { return FEditCol; }
    void SetEditCol(int Value);
    int ExpandCol() const { return FExpandCol; }
    void SetExpandCol(int Value);
    bool AutoExpandCol() const { return FAutoExpandCol; }
    void SetAutoExpandCol(bool Value) { FAutoExpandCol = Value; }
    bool ExtraDrawing() const { return FExtraDrawing; }
    void SetExtraDrawing(bool Value);
    QImage CrossPicture() const { return FCrossPicture.Picture(); }
    void SetCrossPicture(const QImage& Value);
    QCursor FixedCursor() const { return FFixedCursor; }
    void SetFixedCursor(const QCursor& Value);
    QColor CellColor() const { return FCellColor; }
    void SetCellColor(const QColor& Value);
    // The colour of the texts and crosses of the normal cells.
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& Value);
    // Background of the cells of heading rows.
    QColor Color() const;

    // Widths and heights as fitted, without the grid line; not clamped.
    int ColWidths(int ACol) const;
    int RowHeights(int ARow) const;
    void FitColWidths();
    void FitRowHeights();
    bool IsEvaluatedRow(int ARow) const;
    // What a cell says to a screen reader: a subject's name without its
    // encoding, a header without its padding, a crossed cell as the level
    // its column stands for, nothing for what a heading row does not draw.
    QString AccessibleText(int ACol, int ARow) const;
    // "rubrique" for the subject cell of a heading row; the comment on the
    // row for its edit cell.
    QString AccessibleDescription(int ACol, int ARow) const;

    TXBaloon& Baloon() { return FBaloon; }

    // A note on a row (the pupil's comment on the subject): a small mark in
    // the corner of the row's edit cell, and the note as the row's tool tip.
    QString RowNote(int ARow) const { return FRowNotes.value(ARow); }
    void SetRowNote(int ARow, const QString& note);
    void ClearRowNotes();

    // Hands the mark being typed to the owner now (OnModifyEdit), at most
    // once for the same text; the editor stays open. For the commands that
    // read the records while a mark is being typed.
    void CommitEdit() { Commit(); }

    // For the cell drawing.
    const TGridTextMeter& TextMeter() const { return FMeter; }
    const TCrossPicture& Cross() const { return FCrossPicture; }
    bool CellHasFocus(int ACol, int ARow) const;

Q_SIGNALS:
    void OnModifyCheck(QObject* Sender, int ARow, int Value);
    void OnModifyEdit(QObject* Sender, int ARow, const QString& Value);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyboardSearch(const QString& search) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct TCell {
        int Col = -1;
        int Row = -1;
    };

    TCell CurrentCell() const;
    void SetCurrentCell(int ACol, int ARow);
    void Restructure(bool editCellGoes, const std::function<void()>& resize);
    TCell CellAtGlobal(QPoint globalPos) const;
    bool IsCheckCol(int ACol) const;
    bool LevelKey(QKeyEvent* event);
    int MarkedOrFirstCheckCol(int ARow) const;

    void MousePressed(QPoint globalPos);
    void MouseReleased(QPoint globalPos);
    void MarkCheckCell(int ACol, int ARow);
    void UpdateCursor(QPoint viewportPos);

    void CellSelected(int ACol, int ARow);
    void StartEditing(int ACol, int ARow);
    void StopEditing();
    void Commit();
    void ShowEditor();
    void HideEditor();
    void PlaceEditor();
    void EditorTextEdited(const QString& text);
    void EnterWhileEditing();
    void FocusChanged(QWidget* old, QWidget* now);
    bool IsWithin(const QWidget* widget) const;
    bool FocusNextControl(bool next);

    void ExpandSubjectColumn();
    void ApplyColWidths();
    void ApplyRowHeights();

    TEditGridModel* FModel;
    TEditGridHeader* FHeader;
    TGridInplaceEdit* FEditor;
    TGridTextMeter FMeter;
    TCrossPicture FCrossPicture;
    TXBaloon FBaloon;
    QStringList FHeaderHints;
    QList<int> FColWidths;
    int FRowHeight = 19;

    bool FExtraDrawing = true;
    bool FAutoExpandCol = true;
    int FExpandCol = 0;
    int FEditCol = 5;
    bool FCanEdit = false;
    QCursor FFixedCursor;
    QColor FCellColor;
    QColor FFontColor;

    // Editing state: on while the current cell is the edit cell FEditing
    // started on. A commit is owed once per opening of the editor and again
    // after every change of its text, never twice for the same text.
    bool FEditing = false;
    TCell FEditCell;
    bool FCommitPending = false;
    bool FRestructuring = false;
    bool FHidingEditor = false;
    QHash<int, QString> FRowNotes;
};
