// The class entry window, and the class's housekeeping: its name, a pupil
// moved to another class, the pupils sorted. Every change goes through the
// workspace editor, one step each.

#include "app/MainForm.h"

#include "app/ChooseClassDlg.h"
#include "app/ClassDlg.h"
#include "app/ClassEntryForm.h"
#include "app/ClassTreeView.h"
#include "app/HandlerGuard.h"
#include "app/MessageBoxes.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QMenu>
#include <QTreeView>

void TMainForm::BuildClassEntryCommands() {
    FileClassEntry = NewAction("FileClassEntry", QStringLiteral("Saisie de la &classe"));
    FileClassEntry->setIconText(QStringLiteral("Saisie classe"));
    FileClassEntry->setToolTip(QStringLiteral("Saisie de la classe"));
    FileClassEntry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    FileClassEntry->setIcon(FImages.ToolBarIcon(4));
    connect(FileClassEntry, &QAction::triggered, this, &TMainForm::FileClassEntryExecute);
    FileRenameClass = NewAction("FileRenameClass", QStringLiteral("Renommer la classe..."));
    connect(FileRenameClass, &QAction::triggered, this, &TMainForm::FileRenameClassExecute);
    FileMovePupil = NewAction("FileMovePupil", QStringLiteral("Changer de classe..."));
    connect(FileMovePupil, &QAction::triggered, this, &TMainForm::FileMovePupilExecute);
    FileSortPupils = NewAction("FileSortPupils", QStringLiteral("Trier les élèves"));
    connect(FileSortPupils, &QAction::triggered, this, &TMainForm::FileSortPupilsExecute);
    for (QAction* action : {FileClassEntry, FileRenameClass, FileMovePupil, FileSortPupils}) {
        action->setEnabled(false);
        if (action->iconText() == action->text())
            action->setIconText(QString(action->text()).remove(u'&'));
    }
    connect(FModel, &QAbstractItemModel::dataChanged, this, &TMainForm::TreeRecordsChanged);
}

void TMainForm::UpdateClassEntryCommands(const TPData* record) {
    FileClassEntry->setEnabled(record != nullptr);
    FileRenameClass->setEnabled(record != nullptr);
    FileSortPupils->setEnabled(record != nullptr);
    // Only when there is another class to go to.
    FileMovePupil->setEnabled(record && record->IsPupil() && FModel->rowCount() > 1);
}

void TMainForm::TreeRecordsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    if (FGridWriting)
        return;
    const QModelIndex selected = SelectedNode();
    if (!selected.isValid())
        return;
    const QModelIndex parent = topLeft.parent();
    auto covers = [&](int row) {
        return row >= topLeft.row() && row <= bottomRight.row();
    };
    const bool pupilOfSelectedClass = parent.isValid() && parent == selected;
    const bool selectedPupil =
        parent.isValid() && parent == selected.parent() && covers(selected.row());
    const QModelIndex schoolClass = selected.parent().isValid() ? selected.parent() : selected;
    const bool classOfSelection = !parent.isValid() && covers(schoolClass.row());
    if (!pupilOfSelectedClass && !selectedPupil && !classOfSelection)
        return;
    FillGrid(selected);
    UpdateStatusBar();
}

TClassEntryForm* TMainForm::ClassEntryWindow(const QModelIndex& schoolClass) const {
    for (const QPointer<TClassEntryForm>& window : FClassEntries) {
        if (window && window->ClassIndex() == schoolClass)
            return window;
    }
    return nullptr;
}

void TMainForm::FileClassEntryExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        const QModelIndex classIndex = SelectedClassIndex();
        if (!FModel->ClassAt(classIndex))
            return;
        TClassEntryForm* window = ClassEntryWindow(classIndex);
        if (!window) {
            FClassEntries.removeAll(nullptr);
            window = new TClassEntryForm(*FModel, *FEditor, classIndex,
                                         FEnvironment.Regional.DecimalSeparator, this);
            FClassEntries << window;
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
}

bool TMainForm::RenameClassTo(const QModelIndex& schoolClass, const QString& name) {
    const TClassNode* node = FModel->ClassAt(schoolClass);
    if (!node || name.isEmpty())
        return false;
    const QString stored = TPData::StoredText(name);
    // The class may take its own name in other capitals.
    const QLocale& locale = FEnvironment.Regional.Locale;
    if (locale.toUpper(stored) != locale.toUpper(node->Text) && ClassExists(stored)) {
        ShowMessage(this, QStringLiteral("la classe '") + stored +
                              QStringLiteral("' existe déjà.\rOpération annulée."));
        return false;
    }
    Editor().RenameClass(schoolClass, stored);
    return true;
}

void TMainForm::FileRenameClassExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        const QModelIndex classIndex = SelectedClassIndex();
        const TClassNode* node = FModel->ClassAt(classIndex);
        if (!node)
            return;
        QString typed;
        {
            TClassDlg dialog(this);
            dialog.setWindowTitle(QStringLiteral("Renommer la classe"));
            dialog.SetClassName(node->Text);
            if (dialog.exec() == QDialog::Accepted)
                typed = dialog.ClassName();
        }
        RenameClassTo(classIndex, typed);
    });
}

QModelIndex TMainForm::MovePupilTo(const QModelIndex& pupil, const QModelIndex& schoolClass) {
    const QModelIndex moved = Editor().MovePupil(pupil, schoolClass, FEnvironment.Regional.Locale);
    Tree->expand(moved.parent());
    SelectNode(moved);
    Tree->scrollTo(moved);
    return moved;
}

void TMainForm::FileMovePupilExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        const QModelIndex pupil = SelectedNode();
        if (!pupil.parent().isValid())
            return;
        QStringList names;
        QList<int> rows;
        for (int row = 0; row < FModel->rowCount(); ++row) {
            if (row == pupil.parent().row())
                continue;
            names << FModel->NodeAt(FModel->index(row, 0))->Text;
            rows << row;
        }
        if (rows.isEmpty())
            return;
        int chosen = -1;
        {
            TChooseClassDlg dialog(FModel->NodeAt(pupil)->Text, names, this);
            if (dialog.exec() == QDialog::Accepted)
                chosen = dialog.ChosenClass();
        }
        if (chosen >= 0 && chosen < rows.size())
            MovePupilTo(pupil, FModel->index(rows[chosen], 0));
    });
}

void TMainForm::FileSortPupilsExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        const QModelIndex classIndex = SelectedClassIndex();
        if (!FModel->ClassAt(classIndex))
            return;
        if (Editor().SortPupils(classIndex))
            TreeChange();
    });
}
