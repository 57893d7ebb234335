// The class and pupil tree: the selection and the refresh it drives.

#include "app/MainForm.h"

#include "app/ClassTreeView.h"
#include "app/StatusBar.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QMouseEvent>
#include <QToolButton>
#include <QTreeView>

QModelIndex TMainForm::SelectedNode() const {
    const QModelIndexList selected = Tree->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

TPData* TMainForm::SelectedData() const {
    const TNode* node = FModel->NodeAt(SelectedNode());
    return node ? node->Data.get() : nullptr;
}

void TMainForm::SelectNode(const QModelIndex& node) {
    if (node.isValid())
        Tree->selectionModel()->setCurrentIndex(node, QItemSelectionModel::ClearAndSelect);
    else
        Tree->selectionModel()->clear();
}

void TMainForm::TreeChange() {
    FEditor->EndTyping();
    TPData* record = SelectedData();
    if (!record) {
        // Nothing left to edit: what is typed now would go nowhere.
        UpdatePupilSheet(nullptr);
        return;
    }
    UpdatePupilSheet(record);
    FillGrid(SelectedNode());
    UpdateStatusBar();
}

void TMainForm::ShowChangedNode(const QModelIndex& node) {
    // The refresh runs even when the node was selected already, so that the
    // sheet, the grid and the status bar show what came back.
    if (node != SelectedNode())
        SelectNode(node);
    else
        TreeChange();
    if (node.isValid())
        Tree->scrollTo(node);
    else
        UpdatePupilSheet(nullptr);
}

void TMainForm::UpdateStatusBar() {
    if (!SelectedData())
        return;
    const TClassNode* schoolClass = FModel->ClassAt(SelectedNode());
    if (!schoolClass || !schoolClass->Data) {
        for (int panel : {1, 3, 2})
            StatusBar->SetPanelText(panel, QString());
        return;
    }
    auto counted = [](qsizetype count, const char* noun) {
        return QString::number(count) + u' ' + QString::fromUtf8(noun) +
               (count > 1 ? QStringLiteral("s") : QString());
    };
    StatusBar->SetPanelText(1, schoolClass->Data->ClassName());
    StatusBar->SetPanelText(3, counted(schoolClass->Data->Lines().size(), "matière"));
    StatusBar->SetPanelText(2, counted(qsizetype(schoolClass->Pupils.size()), "élève"));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Any mouse button selects the node under it, so that a right click
    // opens the menu of the node it was made on.
    if (watched == Tree->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QModelIndex node =
            Tree->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (node.isValid())
            SelectNode(node);
    }
    // Tool bar hints are shown with the small icons only.
    if (event->type() == QEvent::ToolTip && !FToolBarHints && qobject_cast<QToolButton*>(watched))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

QString TMainForm::StatusPanelText(int panel) const {
    return StatusBar->PanelText(panel);
}
