// The commands that grow and shrink the workspace: new class, new pupil and
// delete. Every change goes through the workspace editor.

#include "app/MainForm.h"

#include "app/ClassDlg.h"
#include "app/DeleteDlg.h"
#include "app/HandlerGuard.h"
#include "app/MessageBoxes.h"
#include "app/PupilDlg.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QPersistentModelIndex>

bool TMainForm::ClassExists(const QString& name) const {
    const QLocale& locale = FEnvironment.Regional.Locale;
    const QString wanted = locale.toUpper(name);
    for (int row = 0; row < FModel->rowCount(); ++row) {
        if (locale.toUpper(FModel->NodeAt(FModel->index(row, 0))->Text) == wanted)
            return true;
    }
    return false;
}

void TMainForm::FileNewClassExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        QString typed;
        {
            TClassDlg dialog(this);
            if (dialog.exec() == QDialog::Accepted)
                typed = dialog.ClassName();
        }
        if (typed.isEmpty())
            return;
        auto record = std::make_unique<TPData>(TDataType::dtClass);
        record->SetClassName(typed);
        // The name is checked and shown as it is stored, so that the caption
        // and the duplicate check are what the next start will find.
        const QString name = record->ClassName();
        if (ClassExists(name)) {
            ShowMessage(this, QStringLiteral("la classe '") + name +
                                  QStringLiteral("' existe déjà.\rOpération annulée."));
            return;
        }
        auto schoolClass = std::make_unique<TClassNode>();
        schoolClass->Text = name;
        schoolClass->SetImages(NodeImages(*record));
        schoolClass->Data = std::move(record);
        const QModelIndex node = Editor().AddClass(std::move(schoolClass));
        SelectNode(node);
        FileModifyMattersExecute();
        TreeChange();
    });
}

void TMainForm::FileNewPupilExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        if (FModel->rowCount() == 0)
            return;
        QModelIndex target = SelectedNode();
        if (!target.isValid()) {
            target = FModel->index(0, 0);
        } else if (target.parent().isValid()) {
            // The window shows the class from now on, even if the dialog is
            // cancelled.
            target = target.parent();
            SelectNode(target);
        }
        const TClassNode* schoolClass = FModel->ClassAt(target);
        TPupilDlg dialog(schoolClass->Text, this);
        if (dialog.exec() != QDialog::Accepted)
            return;

        auto pupil = NewPupilNode(
            {dialog.Surname(), dialog.Name(), dialog.BirthDay(), dialog.Sexe(), dialog.ClassName()},
            int(schoolClass->Data->Lines().size()));
        std::vector<std::unique_ptr<TNode>> pupils;
        pupils.push_back(std::move(pupil));
        SelectNode(Editor().AddPupils(target, std::move(pupils)));
    });
}

void TMainForm::FileDeleteExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        const TPData* record = SelectedData();
        if (!record) {
            UpdatePupilSheet(nullptr);
            return;
        }
        const QString object = record->IsClass()
                                   ? QStringLiteral("la classe '") + record->ClassName() +
                                         QStringLiteral("' et tous ses élèves.")
                                   : QStringLiteral("l'élève '") + record->Surname() + u' ' +
                                         record->Name() + QStringLiteral("'.");
        bool confirmed = false;
        {
            TDeleteDlg dialog(this);
            dialog.SetInfo(QStringLiteral("Vous êtes sur le point de supprimer ") + object);
            confirmed = dialog.exec() == QDialog::Accepted;
        }
        if (confirmed) {
            const QModelIndex node = SelectedNode();
            if (record->IsClass()) {
                Editor().Remove(node);
                SelectNode(FModel->index(0, 0));
            } else {
                const QModelIndex sibling = node.siblingAtRow(node.row() + 1);
                const QPersistentModelIndex next = sibling.isValid() ? sibling : node.parent();
                Editor().Remove(node);
                SelectNode(next);
            }
        }
        // Whatever the answer. The dialog is gone by now, so one refresh
        // does: a second sheet refresh after the grid's would show the
        // grid of a class that has no subjects.
        UpdatePupilSheet(SelectedData());
        FillGrid(SelectedNode());
        UpdateStatusBar();
    });
}
