#include "app/ClassEntryForm.h"

#include "app/ClassEntryModel.h"
#include "app/CleanMark.h"
#include "app/CommentDlg.h"
#include "app/HandlerGuard.h"
#include "app/MessageBoxes.h"
#include "data/ClassPaste.h"
#include "data/NumberFormat.h"
#include "widgets/ClassEntryGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

namespace {

QString Cells(int count) {
    return count == 1 ? QStringLiteral("1 cellule") : QStringLiteral("%1 cellules").arg(count);
}

} // namespace

TClassEntryForm::TClassEntryForm(TWorkspaceModel& tree, TWorkspaceEditor& editor,
                                 const QModelIndex& schoolClass, QChar decimalSeparator,
                                 QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , FTree(tree)
    , FEditor(editor)
    , FClass(schoolClass)
    , FDecimal(decimalSeparator)
    , FEntries(new TClassEntryModel(tree, schoolClass, decimalSeparator, this))
    , FGrid(new TClassEntryGrid(this))
    , FStatus(new QLabel(this)) {
    setObjectName(QStringLiteral("ClassEntryForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    FGrid->setObjectName(QStringLiteral("ClassEntryGrid"));
    FGrid->setModel(FEntries);
    setCentralWidget(FGrid);
    FStatus->setObjectName(QStringLiteral("ClassEntryStatus"));
    statusBar()->addWidget(FStatus, 1);
    if (const TClassNode* node = FEntries->Class(); node && node->Data)
        FSubjectLines = node->Data->Lines();
    BuildActions();
    UpdateTitle();

    auto guarded = [this](auto handler) {
        return [this, handler](auto&&... args) {
            RunGuarded(this, [&] { (this->*handler)(args...); });
        };
    };
    connect(FGrid, &TClassEntryGrid::LevelTyped, this, guarded(&TClassEntryForm::SetLevels));
    connect(FGrid, &TClassEntryGrid::ClearRequested, this, guarded(&TClassEntryForm::ClearCells));
    connect(FGrid, &TClassEntryGrid::PasteRequested, this, guarded(&TClassEntryForm::Paste));
    connect(FEntries, &TClassEntryModel::MarkTyped, this, guarded(&TClassEntryForm::CommitMark));

    connect(&FTree, &QAbstractItemModel::dataChanged, this, &TClassEntryForm::TreeDataChanged);
    auto rows = [this](const QModelIndex& under) {
        TreeRowsChanged(under);
    };
    connect(&FTree, &QAbstractItemModel::rowsInserted, this, rows);
    connect(&FTree, &QAbstractItemModel::rowsRemoved, this, rows);
    connect(&FTree, &QAbstractItemModel::layoutChanged, this, &TClassEntryForm::Rebuild);
    connect(&FTree, &QAbstractItemModel::modelReset, this, &TClassEntryForm::Rebuild);

    FGrid->GoToFirstCell();
    FGrid->setFocus();
    // As much of the class as the screen holds.
    const QSize wanted(
        FGrid->verticalHeader()->sizeHint().width() + FGrid->horizontalHeader()->length() + 40,
        FGrid->horizontalHeader()->sizeHint().height() + FGrid->verticalHeader()->length() + 80);
    const QRect screen =
        this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(wanted.width(), screen.width() * 9 / 10),
           std::min(wanted.height(), screen.height() * 8 / 10));
}

void TClassEntryForm::BuildActions() {
    auto* undo = new QAction(QStringLiteral("&Annuler"), this);
    undo->setObjectName(QStringLiteral("ClassEntryUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto* redo = new QAction(QStringLiteral("&Rétablir"), this);
    redo->setObjectName(QStringLiteral("ClassEntryRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { FEditor.Undo(); }); });
    connect(redo, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { FEditor.Redo(); }); });
    auto* comment = new QAction(QStringLiteral("&Commentaire..."), this);
    comment->setObjectName(QStringLiteral("ClassEntryComment"));
    comment->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    connect(comment, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { EditComment(); }); });
    QMenu* edition = menuBar()->addMenu(QStringLiteral("&Edition"));
    edition->setObjectName(QStringLiteral("ClassEntryEditMenu"));
    edition->addActions({undo, redo});
    edition->addSeparator();
    edition->addAction(comment);
    auto* popup = new QMenu(FGrid);
    popup->setObjectName(QStringLiteral("ClassEntryPopupMenu"));
    popup->addAction(comment);
    FGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FGrid, &QWidget::customContextMenuRequested, this, [this, popup](const QPoint& at) {
        // The menu is for the pupil and subject under the mouse.
        const QModelIndex cell = FGrid->indexAt(at);
        if (!cell.isValid() || cell.row() >= FEntries->PupilCount())
            return;
        FGrid->setCurrentIndex(cell);
        popup->popup(FGrid->viewport()->mapToGlobal(at));
    });
    const QUndoStack& history = FEditor.History();
    auto update = [undo, redo, &history] {
        undo->setEnabled(history.canUndo());
        redo->setEnabled(history.canRedo());
    };
    connect(&history, &QUndoStack::indexChanged, this, update);
    update();
}

QString TClassEntryForm::StatusText() const {
    return FStatus->text();
}

void TClassEntryForm::UpdateTitle() {
    const TClassNode* node = FEntries->Class();
    setWindowTitle(QStringLiteral("Saisie de la classe - ") + (node ? node->Text : QString()));
    FGrid->setAccessibleName(windowTitle());
}

void TClassEntryForm::Rebuild() {
    if (!FClass.isValid()) {
        close();
        return;
    }
    const QModelIndex current = FGrid->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    const int column = current.isValid() ? current.column() : 0;
    if (const TClassNode* node = FEntries->Class(); node && node->Data)
        FSubjectLines = node->Data->Lines();
    FEntries->Rebuild();
    UpdateTitle();
    const int rows = FEntries->PupilCount();
    if (rows > 0 && FEntries->columnCount() > 0)
        FGrid->setCurrentIndex(FEntries->index(std::min(row, rows - 1),
                                               std::min(column, FEntries->columnCount() - 1)));
}

void TClassEntryForm::TreeDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    if (!FClass.isValid())
        return;
    if (topLeft.parent() == FClass) {
        FEntries->PupilsChanged(topLeft.row(), bottomRight.row());
        return;
    }
    if (topLeft.parent().isValid() || FClass.row() < topLeft.row() ||
        FClass.row() > bottomRight.row())
        return;
    const TClassNode* node = FEntries->Class();
    if (node && node->Data && node->Data->Lines() != FSubjectLines)
        Rebuild();
    else
        UpdateTitle();
}

void TClassEntryForm::TreeRowsChanged(const QModelIndex& parent) {
    if (!FClass.isValid()) {
        close();
        return;
    }
    if (parent == FClass)
        Rebuild();
}

void TClassEntryForm::SetLevels(const QModelIndexList& cells, int level) {
    if (cells.size() == 1) {
        const QModelIndex& cell = cells.front();
        FEditor.SetLevel(FEntries->PupilIndex(cell.row()), FEntries->SubjectLine(cell.column()),
                         level);
        return;
    }
    std::vector<TWorkspaceEditor::TEvaluation> changes;
    for (const QModelIndex& cell : cells) {
        if (cell.row() < FEntries->PupilCount() && TClassEntryModel::IsLevelColumn(cell.column()))
            changes.push_back({cell.row(), FEntries->SubjectLine(cell.column()), level, {}});
    }
    FEditor.SetEvaluations(FClass, changes,
                           QStringLiteral("niveaux de ") + Cells(int(changes.size())));
}

void TClassEntryForm::ClearCells(const QModelIndexList& cells) {
    std::vector<TWorkspaceEditor::TEvaluation> changes;
    for (const QModelIndex& cell : cells) {
        if (cell.row() >= FEntries->PupilCount())
            continue;
        TWorkspaceEditor::TEvaluation change{
            cell.row(), FEntries->SubjectLine(cell.column()), {}, {}};
        if (TClassEntryModel::IsLevelColumn(cell.column()))
            change.Level = DefaultLevel;
        else
            change.Mark = NoMark;
        changes.push_back(change);
    }
    FEditor.SetEvaluations(FClass, changes,
                           QStringLiteral("effacement de ") + Cells(int(changes.size())));
}

void TClassEntryForm::Paste(const QModelIndex& at, const QString& text) {
    if (!at.isValid())
        return;
    std::vector<TEntryKind> kinds(std::size_t(FEntries->columnCount()));
    for (std::size_t column = 0; column < kinds.size(); ++column)
        kinds[column] =
            TClassEntryModel::IsLevelColumn(int(column)) ? TEntryKind::Level : TEntryKind::Mark;
    TPasteResult pasted =
        ParseClassPaste(text, at.row(), at.column(), FEntries->PupilCount(), kinds);
    // One value pasted on a selection fills every selected cell it can be
    // read into, as in a spreadsheet.
    const QModelIndexList selected = FGrid->SelectedCells();
    const QList<QStringList> rows = SplitTabSeparated(text);
    if (selected.size() > 1 && rows.size() == 1 && rows.front().size() == 1) {
        pasted = {};
        const QString& value = rows.front().front();
        for (const QModelIndex& cell : selected) {
            if (cell.row() >= FEntries->PupilCount())
                continue;
            TPastedEntry entry{cell.row(), cell.column()};
            const bool level = kinds[std::size_t(cell.column())] == TEntryKind::Level;
            const std::optional<int> readLevel = level ? ReadLevel(value) : std::nullopt;
            const std::optional<double> readMark = level ? std::nullopt : ReadMark(value);
            if (!readLevel && !readMark) {
                ++pasted.Skipped;
                continue;
            }
            entry.Level = readLevel.value_or(DefaultLevel);
            entry.Mark = readMark.value_or(NoMark);
            pasted.Entries.push_back(entry);
        }
    }
    std::vector<TWorkspaceEditor::TEvaluation> changes;
    changes.reserve(pasted.Entries.size());
    for (const TPastedEntry& entry : pasted.Entries) {
        TWorkspaceEditor::TEvaluation change{
            entry.Row, FEntries->SubjectLine(entry.Column), {}, {}};
        if (kinds[std::size_t(entry.Column)] == TEntryKind::Level)
            change.Level = entry.Level;
        else
            change.Mark = entry.Mark;
        changes.push_back(change);
    }
    FEditor.SetEvaluations(FClass, changes,
                           QStringLiteral("collage de ") + Cells(int(changes.size())));
    QString status = QStringLiteral("Collage : ") + Cells(int(changes.size())) +
                     (changes.size() > 1 ? QStringLiteral(" lues") : QStringLiteral(" lue"));
    if (pasted.Skipped > 0)
        status +=
            QStringLiteral(", %1 ignorée%2 (illisible%2 ou hors de la grille)")
                .arg(Cells(pasted.Skipped), pasted.Skipped > 1 ? QStringLiteral("s") : QString());
    FStatus->setText(status + u'.');
}

void TClassEntryForm::EditComment() {
    const QModelIndex cell = FGrid->currentIndex();
    if (!cell.isValid() || cell.row() >= FEntries->PupilCount())
        return;
    const QModelIndex node = FEntries->PupilIndex(cell.row());
    const TNode* pupil = FTree.NodeAt(node);
    if (!pupil || !pupil->Data)
        return;
    const int line = FEntries->SubjectLine(cell.column());
    if (const std::optional<QString> comment =
            AskComment(this, *pupil->Data, line, FEntries->SubjectName(cell.column())))
        FEditor.SetComment(node, line, *comment);
}

void TClassEntryForm::CommitMark(int pupil, int subjectLine, const QString& text) {
    // The rules of the main window's mark column: cleaned, then read with
    // the regional decimal separator.
    const QString mark = CleanMark(text);
    const QModelIndex node = FEntries->PupilIndex(pupil);
    if (mark.isEmpty()) {
        FEditor.SetMark(node, subjectLine, NoMark);
        return;
    }
    if (const std::optional<double> value = ParseFloat(mark, FDecimal)) {
        FEditor.SetMark(node, subjectLine, *value);
        return;
    }
    // The cell keeps showing the stored mark: the refused text is in the
    // message.
    ShowMessage(this, mark + QStringLiteral(" n'est pas un nombre réel valide"));
}
