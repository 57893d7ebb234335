// A pupil's comment per subject: shown in the grid as a corner mark and a
// tool tip, edited from the grid's menu or Shift+F2, one step of the history.

#include "app/MainForm.h"

#include "app/CommentDlg.h"

#include "data/SubjectLine.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QMenu>

void TMainForm::BuildGridCommentCommand() {
    GridComment = NewAction("GridComment", QStringLiteral("&Commentaire..."));
    GridComment->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    GridComment->setEnabled(false);
    connect(GridComment, &QAction::triggered, this, Guarded(&TMainForm::GridCommentExecute));
    GridPopupMenu = new QMenu(Grid);
    GridPopupMenu->setObjectName(QStringLiteral("GridPopupMenu"));
    GridPopupMenu->addAction(GridComment);
    Grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        // The menu is for the subject under the mouse.
        if (const QModelIndex cell = Grid->indexAt(position); cell.isValid())
            Grid->setCurrentIndex(cell);
        if (CommentableSubject() >= 0)
            GridPopupMenu->popup(Grid->viewport()->mapToGlobal(position));
    });
}

void TMainForm::ShowGridComments(const TPData& record) {
    Grid->ClearRowNotes();
    GridComment->setEnabled(record.IsPupil());
    if (!record.IsPupil())
        return;
    for (int i = 0; i < record.LevelCount(); ++i)
        Grid->SetRowNote(i + 1, record.GetComment(i));
}

int TMainForm::CommentableSubject() const {
    const TPData* record = SelectedData();
    const int row = Grid->CurrentRow();
    if (!record || !record->IsPupil() || Grid->isHidden() || row < Grid->FixedRows() ||
        row >= Grid->RowCount() || !Grid->IsEvaluatedRow(row))
        return -1;
    return row - 1;
}

void TMainForm::GridCommentExecute() {
    CommitPendingEdit();
    const int subject = CommentableSubject();
    if (subject < 0)
        return;
    const QModelIndex node = SelectedNode();
    const TPData& pupil = *SelectedData();
    const TClassNode* schoolClass = FModel->ClassAt(node);
    const QString name = schoolClass && schoolClass->Data
                             ? ParseSubjectLine(schoolClass->Data->Lines().value(subject)).Name
                             : QString();
    const std::optional<QString> comment = AskComment(this, pupil, subject, name);
    if (!comment)
        return;
    FEditor->SetComment(node, subject, *comment);
    if (const TPData* record = SelectedData())
        Grid->SetRowNote(subject + 1, record->GetComment(subject));
}
