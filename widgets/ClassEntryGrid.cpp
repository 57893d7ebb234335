#include "widgets/ClassEntryGrid.h"

#include "data/ClassPaste.h"
#include "widgets/ClassEntryHeader.h"
#include "widgets/NoteCorner.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// The usual cells, with the corner mark of a cell that carries a note.
class TNoteDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!index.data(TClassEntryGrid::NoteRole).toString().isEmpty())
            DrawNoteCorner(*painter, option.rect.adjusted(0, 0, -1, -1));
    }
};

} // namespace

TClassEntryGrid::TClassEntryGrid(QWidget* parent)
    : QTableView(parent)
    , FHeader(new TClassEntryHeader(this)) {
    setHorizontalHeader(FHeader);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(true);
    verticalHeader()->setSectionsClickable(false);
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setHorizontalScrollMode(ScrollPerPixel);
    setItemDelegate(new TNoteDelegate(this));
}

void TClassEntryGrid::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    if (model)
        connect(model, &QAbstractItemModel::modelReset, this, &TClassEntryGrid::FitColumns);
    FitColumns();
}

void TClassEntryGrid::FitColumns() {
    const QAbstractItemModel* source = model();
    if (!source)
        return;
    const QFontMetrics metrics(font());
    const int level = std::max(metrics.horizontalAdvance(QStringLiteral("Niv.")),
                               metrics.horizontalAdvance(QStringLiteral("99"))) +
                      14;
    const int mark = std::max(metrics.horizontalAdvance(QStringLiteral("Note")),
                              metrics.horizontalAdvance(QStringLiteral("20,25"))) +
                     16;
    // Level columns take the default size, so that only the mark columns
    // are sized one by one.
    FHeader->setDefaultSectionSize(level);
    for (int column = 0; column < source->columnCount(); ++column) {
        if (source->headerData(column, Qt::Horizontal, KindRole).toInt() == MarkKind)
            FHeader->resizeSection(column, mark);
    }
    verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    FHeader->updateGeometry();
    updateGeometries();
}

void TClassEntryGrid::GoToFirstCell() {
    if (!model())
        return;
    const QModelIndex first = model()->index(0, 0);
    if (IsPupilRow(0) && first.isValid())
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
}

bool TClassEntryGrid::IsLevelCell(const QModelIndex& index) const {
    return index.isValid() && index.data(KindRole).toInt() == LevelKind &&
           (index.flags() & Qt::ItemIsEnabled);
}

bool TClassEntryGrid::IsPupilRow(int row) const {
    const QAbstractItemModel* source = model();
    return source && row >= 0 && row < source->rowCount() &&
           (source->flags(source->index(row, 0)) & Qt::ItemIsEnabled);
}

QModelIndexList TClassEntryGrid::SelectedCells() const {
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid())
        cells << currentIndex();
    return cells;
}

QString TClassEntryGrid::SelectionText() const {
    const QModelIndexList cells = SelectedCells();
    if (cells.isEmpty())
        return QString();
    int top = cells.front().row(), bottom = top;
    int left = cells.front().column(), right = left;
    for (const QModelIndex& cell : cells) {
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    const int width = right - left + 1;
    QList<QStringList> rows(bottom - top + 1, QStringList(width));
    for (const QModelIndex& cell : cells)
        rows[cell.row() - top][cell.column() - left] = cell.data(Qt::DisplayRole).toString();
    QString text;
    for (const QStringList& row : rows)
        text += row.join(u'\t') + u'\n';
    return text;
}

void TClassEntryGrid::keyPressEvent(QKeyEvent* event) {
    if (state() == EditingState) {
        QTableView::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(SelectionText());
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (currentIndex().isValid())
            Q_EMIT PasteRequested(currentIndex(), QApplication::clipboard()->text());
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        const QModelIndexList cells = SelectedCells();
        if (!cells.isEmpty())
            Q_EMIT ClearRequested(cells);
        return;
    }
    const QModelIndex current = currentIndex();
    const QString typed = event->text();
    if (IsLevelCell(current) && typed.size() == 1 && !typed.front().isSpace() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (const std::optional<int> level = ReadLevel(typed)) {
            QModelIndexList cells;
            for (const QModelIndex& cell : SelectedCells()) {
                if (IsLevelCell(cell))
                    cells << cell;
            }
            const bool many = cells.size() > 1;
            if (!many)
                cells = {current};
            Q_EMIT LevelTyped(cells, *level);
            if (!many)
                MoveDown();
            return;
        }
        // Any other key in a level cell is no level: nothing to type there.
        if (typed.front().isPrint())
            return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        MoveDown();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TClassEntryGrid::MoveDown() {
    // After the last pupil: the first pupil of the next subject, in a column
    // of the same kind, so that a whole class is typed without a detour.
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    if (IsPupilRow(current.row() + 1)) {
        setCurrentIndex(current.siblingAtRow(current.row() + 1));
        return;
    }
    const QVariant kind = current.data(KindRole);
    for (int column = current.column() + 1; column < model()->columnCount(); ++column) {
        const QModelIndex top = model()->index(0, column);
        if (IsPupilRow(0) && top.data(KindRole) == kind) {
            setCurrentIndex(top);
            return;
        }
    }
}

void TClassEntryGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Return commits and goes down, Tab and Shift+Tab commit and go sideways,
    // as in a spreadsheet: never into the next cell's editor.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    switch (hint) {
    case QAbstractItemDelegate::SubmitModelCache:
        MoveDown();
        break;
    case QAbstractItemDelegate::EditNextItem:
        setCurrentIndex(moveCursor(MoveNext, Qt::NoModifier));
        break;
    case QAbstractItemDelegate::EditPreviousItem:
        setCurrentIndex(moveCursor(MovePrevious, Qt::NoModifier));
        break;
    default:
        break;
    }
}

QModelIndex TClassEntryGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // A page down past the pupils stops on the last one, above the summary.
    QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && !IsPupilRow(next.row())) {
        int row = next.row();
        while (row > 0 && !IsPupilRow(row))
            --row;
        next = next.siblingAtRow(row);
    }
    return next;
}

void TClassEntryGrid::keyboardSearch(const QString&) {
    // Letters are levels or marks here; they never jump between rows.
}

void TClassEntryGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    if (!currentIndex().isValid())
        GoToFirstCell();
}
