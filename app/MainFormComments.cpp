// A pupil's comment per subject: shown in the grid as a corner mark and a
// tool tip, edited from the grid's menu or Shift+F2, one step of the history.

#include "app/MainForm.h"

#include "data/SubjectLine.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QInputDialog>
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
        if (const QModelIndex cell = Grid->indexAt(position);
            cell.isValid() && cell.row() >= Grid->FixedRows())
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
    const int row = Grid->currentIndex().row();
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
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("CommentDlg"));
    dialog.setWindowTitle(QStringLiteral("Commentaire"));
    dialog.setLabelText(QStringLiteral("Commentaire de %1 %2 en « %3 » :")
                            .arg(pupil.Name(), pupil.Surname(), name));
    dialog.setTextValue(pupil.GetComment(subject));
    dialog.resize(420, dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return;
    FEditor->SetComment(node, subject, dialog.textValue());
    if (const TPData* record = SelectedData())
        Grid->SetRowNote(subject + 1, record->GetComment(subject));
}
