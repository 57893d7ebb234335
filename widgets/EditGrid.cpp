#include "widgets/EditGrid.h"

#include "data/ClassPaste.h"
#include "widgets/EditGridDelegate.h"
#include "widgets/EditGridHeader.h"
#include "widgets/EditGridModel.h"
#include "widgets/GridInplaceEdit.h"
#include "widgets/ResourceImage.h"
#include "widgets/SubjectText.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

const QString Mark = u" X "_s;
constexpr int DefaultColWidth = 30;
const QList<int> InitialColWidths{242, 30, 30, 30, 30, 30};

} // namespace

TEditGrid::TEditGrid(QWidget* parent)
    : QTableView(parent)
    , FModel(new TEditGridModel(6, 5, this))
    , FHeader(new TEditGridHeader(*this))
    , FEditor(new TGridInplaceEdit(*this, viewport()))
    , FMeter(font())
    , FColWidths(InitialColWidths)
    , FFixedCursor(Qt::ArrowCursor)
    , FCellColor(palette().color(QPalette::Base))
    , FFontColor(palette().color(QPalette::Text)) {
    FModel->Meaning = [this](int col, int row) {
        return AccessibleText(col, row);
    };
    FModel->Description = [this](int col, int row) {
        return AccessibleDescription(col, row);
    };
    // The headers are set up before the model comes: the row header, never
    // shown, then measures no row label.
    setHorizontalHeader(FHeader);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setModel(FModel);
    setItemDelegate(new TEditGridDelegate(*this, this));

    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(ScrollPerItem);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Button);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(FFixedCursor);
    FHeader->viewport()->setCursor(FFixedCursor);

    FBaloon.Color = palette().color(QPalette::ToolTipBase);
    FCrossPicture.SetPicture(ReadResourceImage(u":/widgets/cross.xpm"_s));

    FEditor->SetColors(FCellColor, FFontColor);
    FEditor->hide();
    connect(FEditor, &QLineEdit::textEdited, this, &TEditGrid::EditorTextEdited);
    connect(FHeader, &TEditGridHeader::MousePressed, this, [this](QPoint globalPos) {
        if (!hasFocus() && !isAncestorOf(QApplication::focusWidget()))
            setFocus(Qt::MouseFocusReason);
        MousePressed(globalPos);
    });
    connect(FHeader, &TEditGridHeader::MouseReleased, this, &TEditGrid::MouseReleased);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TEditGrid::HideEditor);
    connect(qApp, &QApplication::focusChanged, this, &TEditGrid::FocusChanged);

    ApplyColWidths();
    ApplyRowHeights();
}

TEditGrid::~TEditGrid() {
    // The focus signal must not reach a half-destroyed grid.
    disconnect(qApp, &QApplication::focusChanged, this, &TEditGrid::FocusChanged);
}

// A resize drops the editor of a cell it removes; the model's reset it
// causes is not a move of the current cell.
void TEditGrid::Restructure(bool editCellGoes, const std::function<void()>& resize) {
    if (FEditing && editCellGoes)
        StopEditing();
    FRestructuring = true;
    resize();
    FRestructuring = false;
}

int TEditGrid::ColCount() const {
    return FModel->ColCount();
}

void TEditGrid::SetColCount(int Value) {
    Value = std::max(Value, 1);
    Restructure(FEditCell.Col >= Value, [&] { FModel->SetColCount(Value); });
    FColWidths.resize(Value, DefaultColWidth);
    ApplyColWidths();
}

int TEditGrid::RowCount() const {
    return FModel->GridRowCount();
}

void TEditGrid::SetRowCount(int Value) {
    Value = std::max(Value, 1);
    Restructure(FEditCell.Row >= Value, [&] { FModel->SetGridRowCount(Value); });
}

QString TEditGrid::Cells(int ACol, int ARow) const {
    return FModel->Cell(ACol, ARow);
}

void TEditGrid::SetCells(int ACol, int ARow, const QString& Value) {
    FModel->SetCell(ACol, ARow, Value);
    if (FEditor->isVisible() && ACol == FEditCell.Col && ARow == FEditCell.Row &&
        FEditor->text() != Value)
        FEditor->setText(Value);
}

QString TEditGrid::HeaderHints(int ACol) const {
    return FHeaderHints.value(ACol);
}

void TEditGrid::SetHeaderHints(int ACol, const QString& Value) {
    if (ACol < 0)
        return;
    if (ACol >= FHeaderHints.size())
        FHeaderHints.resize(ACol + 1);
    FHeaderHints[ACol] = Value;
}

void TEditGrid::SetCanEdit(bool Value) {
    FCanEdit = Value;
    // A read-only grid has nothing to hand over: the owner has already
    // heard of every edit when the focus left or the cell changed.
    if (!Value && FEditing)
        StopEditing();
}

void TEditGrid::SetEditCol(int Value) {
    if (FEditing && Value != FEditCol)
        StopEditing();
    FEditCol = Value;
    viewport()->update();
}

void TEditGrid::SetExpandCol(int Value) {
    FExpandCol = Value;
    viewport()->update();
}

void TEditGrid::SetExtraDrawing(bool Value) {
    FExtraDrawing = Value;
    viewport()->update();
    FHeader->viewport()->update();
}

void TEditGrid::SetCrossPicture(const QImage& Value) {
    FCrossPicture.SetPicture(Value);
    viewport()->update();
}

void TEditGrid::SetFixedCursor(const QCursor& Value) {
    FFixedCursor = Value;
    FHeader->viewport()->setCursor(Value);
}

void TEditGrid::SetCellColor(const QColor& Value) {
    FCellColor = Value;
    FEditor->SetColors(FCellColor, FFontColor);
    viewport()->update();
}

void TEditGrid::SetFontColor(const QColor& Value) {
    FFontColor = Value;
    FEditor->SetColors(FCellColor, FFontColor);
    viewport()->update();
}

QColor TEditGrid::Color() const {
    return palette().color(QPalette::Button);
}

int TEditGrid::ColWidths(int ACol) const {
    return FColWidths.value(ACol);
}

int TEditGrid::RowHeights(int ARow) const {
    return ARow >= 0 && ARow < RowCount() ? FRowHeight : 0;
}

void TEditGrid::FitColWidths() {
    const int cols = ColCount();
    const int rows = RowCount();
    for (int c = 0; c < cols; ++c) {
        int width = 0;
        for (int r = 0; r < rows; ++r)
            width = std::max(width, FMeter.MeasureText(Cells(c, r)).width());
        FColWidths[c] = width;
    }
    int widest = 0;
    for (int c = 0; c < cols; ++c) {
        if (IsCheckCol(c))
            widest = std::max(widest, FColWidths[c]);
    }
    for (int c = 0; c < cols; ++c) {
        if (IsCheckCol(c))
            FColWidths[c] = widest;
    }
    if (FAutoExpandCol)
        ExpandSubjectColumn();
    ApplyColWidths();
}

void TEditGrid::FitRowHeights() {
    FRowHeight = FMeter.MeasureText(Cells(0, 0)).height();
    ApplyRowHeights();
}

bool TEditGrid::IsEvaluatedRow(int ARow) const {
    if (ARow < FixedRows() || ARow >= RowCount())
        return false;
    const QString subject = Cells(FExpandCol, ARow);
    return !subject.isEmpty() && !subject.startsWith(u'$');
}

QString TEditGrid::AccessibleText(int ACol, int ARow) const {
    const QString text = Cells(ACol, ARow);
    if (ARow < FixedRows())
        return text.trimmed();
    if (ACol == FExpandCol)
        return StripSubjectPrefix(text);
    if (!IsEvaluatedRow(ARow))
        return {};
    if (text == Mark && IsCheckCol(ACol))
        return Cells(ACol, 0).trimmed();
    return text.trimmed();
}

QString TEditGrid::AccessibleDescription(int ACol, int ARow) const {
    if (ACol == FExpandCol && ARow >= FixedRows() && !Cells(ACol, ARow).isEmpty() &&
        !IsEvaluatedRow(ARow))
        return u"rubrique"_s;
    // The corner mark says a comment is there; a screen reader reads it.
    if (ACol == FEditCol && ARow >= FixedRows() && !RowNote(ARow).isEmpty())
        return u"commentaire : "_s + RowNote(ARow);
    return {};
}

bool TEditGrid::CellHasFocus(int ACol, int ARow) const {
    const TCell current = CurrentCell();
    return current.Col == ACol && current.Row == ARow && (hasFocus() || FEditor->hasFocus());
}

void TEditGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (FRestructuring)
        return;
    const TCell cell = CurrentCell();
    CellSelected(cell.Col, cell.Row);
}

void TEditGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint globalPos = event->globalPosition().toPoint();
    const TCell before = CurrentCell();
    MousePressed(globalPos);
    QTableView::mousePressEvent(event);
    // A press on the edit cell that is already current opens its editor
    // again, after leaving the grid or scrolling closed it.
    const TCell pressed = CellAtGlobal(globalPos);
    const TCell current = CurrentCell();
    if (pressed.Col != current.Col || pressed.Row != current.Row || before.Col != current.Col ||
        before.Row != current.Row)
        return;
    if (!FEditing)
        CellSelected(current.Col, current.Row);
    else if (!FEditor->isVisible())
        ShowEditor();
}

void TEditGrid::mouseReleaseEvent(QMouseEvent* event) {
    MouseReleased(event->globalPosition().toPoint());
    QTableView::mouseReleaseEvent(event);
}

void TEditGrid::mouseMoveEvent(QMouseEvent* event) {
    UpdateCursor(event->position().toPoint());
    QTableView::mouseMoveEvent(event);
}

void TEditGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && FEditing) {
        EnterWhileEditing();
        return;
    }
    if (!FEditing && LevelKey(event))
        return;
    if ((enter || event->key() == Qt::Key_Space) && !FEditing) {
        const TCell current = CurrentCell();
        MarkCheckCell(current.Col, current.Row);
        return;
    }
    // Typing while the editor is scrolled away brings it back first.
    if (FEditing && !FEditor->isVisible() && !event->text().isEmpty() &&
        event->text().front().isPrint()) {
        scrollTo(FModel->index(FEditCell.Row - 1, FEditCell.Col));
        ShowEditor();
        QCoreApplication::sendEvent(FEditor, event);
        return;
    }
    QTableView::keyPressEvent(event);
}

bool TEditGrid::LevelKey(QKeyEvent* event) {
    // A, B, C and ? (a, b, c, 1 to 4 as well) mark the first to fourth check
    // column of the row, then go to the next evaluated row.
    const QString typed = event->text();
    if (typed.size() != 1 || typed.front().isSpace() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const std::optional<int> level = ReadLevel(typed);
    const TCell current = CurrentCell();
    if (!level || !FCanEdit || !IsEvaluatedRow(current.Row))
        return false;
    int column = -1;
    for (int c = FixedCols(), n = 0; c < ColCount(); ++c) {
        if (IsCheckCol(c) && ++n == *level) {
            column = c;
            break;
        }
    }
    if (column < 0)
        return false;
    MarkCheckCell(column, current.Row);
    int next = current.Row + 1;
    while (next < RowCount() && !IsEvaluatedRow(next))
        ++next;
    // After the last row the cursor stays on the mark just made.
    if (next < RowCount())
        SetCurrentCell(MarkedOrFirstCheckCol(next), next);
    else
        SetCurrentCell(column, current.Row);
    return true;
}

int TEditGrid::MarkedOrFirstCheckCol(int ARow) const {
    int first = -1;
    for (int c = FixedCols(); c < ColCount(); ++c) {
        if (!IsCheckCol(c))
            continue;
        if (Cells(c, ARow) == Mark)
            return c;
        if (first < 0)
            first = c;
    }
    return first;
}

void TEditGrid::focusInEvent(QFocusEvent* event) {
    // Reached by the keyboard, the grid has a current cell to type on: the
    // first evaluated row, in the column of its mark.
    const Qt::FocusReason reason = event->reason();
    if (!currentIndex().isValid() &&
        (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason)) {
        for (int row = FixedRows(); row < RowCount(); ++row) {
            if (IsEvaluatedRow(row)) {
                if (const int column = MarkedOrFirstCheckCol(row); column >= 0)
                    SetCurrentCell(column, row);
                break;
            }
        }
    }
    QTableView::focusInEvent(event);
    if (FEditor->isVisible() && !FHidingEditor)
        FEditor->setFocus(event->reason());
}

void TEditGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (FAutoExpandCol) {
        ExpandSubjectColumn();
        ApplyColWidths();
    }
}

void TEditGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        FMeter.SetFont(font());
        FEditor->setFont(font());
    }
    QTableView::changeEvent(event);
}

bool TEditGrid::focusNextPrevChild(bool next) {
    return FocusNextControl(next);
}

void TEditGrid::keyboardSearch(const QString&) {
    // Typing is for the editor only; it never jumps between rows.
}

TEditGrid::TCell TEditGrid::CurrentCell() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return {};
    return {current.column(), current.row() + 1};
}

void TEditGrid::SetCurrentCell(int ACol, int ARow) {
    setCurrentIndex(FModel->index(ARow - 1, ACol));
}

TEditGrid::TCell TEditGrid::CellAtGlobal(QPoint globalPos) const {
    const QWidget* header = FHeader->viewport();
    const QPoint inHeader = header->mapFromGlobal(globalPos);
    if (FHeader->isVisible() && header->rect().contains(inHeader))
        return {FHeader->logicalIndexAt(inHeader.x()), 0};
    const QPoint inView = viewport()->mapFromGlobal(globalPos);
    if (!viewport()->rect().contains(inView))
        return {};
    const int row = rowAt(inView.y());
    return {columnAt(inView.x()), row < 0 ? -1 : row + 1};
}

bool TEditGrid::IsCheckCol(int ACol) const {
    return ACol >= FixedCols() && ACol < ColCount() && ACol != FEditCol;
}

void TEditGrid::MousePressed(QPoint globalPos) {
    const TCell cell = CellAtGlobal(globalPos);
    if (cell.Row != 0) {
        if (cell.Col != 0)
            FBaloon.HideBaloon();
        else
            FBaloon.ShowTextAt(StripSubjectPrefix(Cells(0, cell.Row)), globalPos);
    } else {
        const QString hint = HeaderHints(cell.Col);
        FBaloon.ShowTextAt(StripSubjectPrefix(hint.isEmpty() ? Cells(cell.Col, 0) : hint),
                           globalPos);
    }
    MarkCheckCell(cell.Col, cell.Row);
}

void TEditGrid::MouseReleased(QPoint globalPos) {
    if (FBaloon.IsShowing())
        FBaloon.HideBaloon();
    const TCell cell = CellAtGlobal(globalPos);
    MarkCheckCell(cell.Col, cell.Row);
}

void TEditGrid::MarkCheckCell(int ACol, int ARow) {
    if (!FCanEdit || !IsEvaluatedRow(ARow) || !IsCheckCol(ACol))
        return;
    for (int c = FixedCols(); c < ColCount(); ++c) {
        if (IsCheckCol(c))
            SetCells(c, ARow, c == ACol ? Mark : QString());
    }
    Q_EMIT OnModifyCheck(this, ARow, ACol);
}

void TEditGrid::UpdateCursor(QPoint viewportPos) {
    const int row = rowAt(viewportPos.y());
    const int col = columnAt(viewportPos.x());
    QCursor cursor = FFixedCursor;
    if (FCanEdit && row >= 0 && IsEvaluatedRow(row + 1) && col >= FixedCols())
        cursor = col == FEditCol ? QCursor(Qt::IBeamCursor) : QCursor(Qt::ArrowCursor);
    viewport()->setCursor(cursor);
}

void TEditGrid::CellSelected(int ACol, int ARow) {
    if (FEditing) {
        Commit();
        HideEditor();
        FEditing = false;
    }
    if (FCanEdit && IsEvaluatedRow(ARow) && ACol == FEditCol)
        StartEditing(ACol, ARow);
}

void TEditGrid::StartEditing(int ACol, int ARow) {
    FEditing = true;
    FEditCell = {ACol, ARow};
    FCommitPending = true;
    ShowEditor();
}

void TEditGrid::StopEditing() {
    FEditing = false;
    FCommitPending = false;
    HideEditor();
}

void TEditGrid::Commit() {
    // Cleared before the owner hears of it, so that whatever the handler
    // does (rewrite the cell, open a message box that takes the focus) does
    // not raise a second commit of the same text.
    if (!FCommitPending)
        return;
    FCommitPending = false;
    Q_EMIT OnModifyEdit(this, FEditCell.Row, Cells(FEditCell.Col, FEditCell.Row));
}

void TEditGrid::ShowEditor() {
    if (!FEditing)
        return;
    FEditor->setText(Cells(FEditCell.Col, FEditCell.Row));
    FEditor->selectAll();
    PlaceEditor();
    FEditor->show();
    if (hasFocus())
        FEditor->setFocus(Qt::OtherFocusReason);
}

void TEditGrid::HideEditor() {
    if (FEditor->isHidden())
        return;
    // Hiding the focused editor would hand the focus to the next control of
    // the window; it goes back to the grid instead.
    FHidingEditor = true;
    if (FEditor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    FEditor->hide();
    FHidingEditor = false;
}

void TEditGrid::PlaceEditor() {
    const QRect cell = visualRect(FModel->index(FEditCell.Row - 1, FEditCell.Col));
    FEditor->setGeometry(cell.x(), cell.y(), cell.width() - 1, cell.height() - 1);
}

void TEditGrid::EditorTextEdited(const QString& text) {
    if (!FEditing)
        return;
    FModel->SetCell(FEditCell.Col, FEditCell.Row, text);
    FCommitPending = true;
}

void TEditGrid::EnterWhileEditing() {
    const TCell current = CurrentCell();
    if (!FCanEdit || !IsEvaluatedRow(current.Row))
        return;
    int target = current.Row + 1;
    while (target < RowCount() - 1 && !IsEvaluatedRow(target))
        ++target;
    Commit();
    HideEditor();
    if (target < RowCount()) {
        SetCurrentCell(current.Col, target);
        if (FEditing && FEditor->isHidden())
            ShowEditor();
        FEditor->deselect();
        FEditor->end(false);
    } else {
        FocusNextControl(true);
    }
}

void TEditGrid::FocusChanged(QWidget* old, QWidget* now) {
    // Only a move to another control of the same window counts as leaving
    // the grid: a message box or another application taking the focus does
    // not end the editing.
    if (!old || !IsWithin(old) || !now || IsWithin(now) || now->window() != window())
        return;
    if (FEditing) {
        Commit();
        FEditing = false;
        HideEditor();
    }
}

bool TEditGrid::IsWithin(const QWidget* widget) const {
    return widget == this || isAncestorOf(widget);
}

bool TEditGrid::FocusNextControl(bool next) {
    const QWidget* top = window();
    QWidget* candidate = this;
    for (;;) {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (!candidate || candidate == this)
            return false;
        if (IsWithin(candidate) || candidate->window() != top || candidate->focusProxy() ||
            !candidate->isEnabled() || !candidate->isVisibleTo(top) ||
            !(candidate->focusPolicy() & Qt::TabFocus))
            continue;
        candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
}

void TEditGrid::ExpandSubjectColumn() {
    if (FExpandCol < 0 || FExpandCol >= ColCount())
        return;
    const int others =
        std::accumulate(FColWidths.cbegin(), FColWidths.cend(), 0) - FColWidths[FExpandCol];
    FColWidths[FExpandCol] = viewport()->width() - ColCount() - others;
}

void TEditGrid::ApplyColWidths() {
    for (int c = 0; c < ColCount(); ++c)
        FHeader->resizeSection(c, std::max(FColWidths[c], 0) + 1);
    if (FEditor->isVisible())
        PlaceEditor();
}

void TEditGrid::ApplyRowHeights() {
    const int section = std::max(FRowHeight, 0) + 1;
    verticalHeader()->setDefaultSectionSize(section);
    FHeader->SetHeight(section);
    updateGeometries();
    if (FEditor->isVisible())
        PlaceEditor();
}

void TEditGrid::SetRowNote(int ARow, const QString& note) {
    if (note.isEmpty() ? FRowNotes.remove(ARow) == 0 : FRowNotes.value(ARow) == note)
        return;
    if (!note.isEmpty())
        FRowNotes.insert(ARow, note);
    viewport()->update();
}

void TEditGrid::ClearRowNotes() {
    if (FRowNotes.isEmpty())
        return;
    FRowNotes.clear();
    viewport()->update();
}

bool TEditGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex cell = indexAt(help->pos());
        // Notes are kept by grid row, the model's row plus the fixed one.
        const QString note = cell.isValid() ? RowNote(cell.row() + 1) : QString();
        if (note.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), note, viewport(), visualRect(cell));
        return true;
    }
    return QTableView::viewportEvent(event);
}
