// Two commands on the selected class: pupils imported from a list, and the
// class's statistics window.

#include "app/MainForm.h"

#include "app/ClassTreeView.h"
#include "app/HandlerGuard.h"
#include "app/MessageBoxes.h"
#include "app/PupilImportDlg.h"
#include "app/StatisticsForm.h"
#include "data/PupilImport.h"
#include "data/SafeFile.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QFileInfo>
#include <QTreeView>

namespace {

// A pupil as the new-pupil command makes one.
std::unique_ptr<TNode> ImportedPupilNode(const TPupilListEntry& entry,
                                         const TClassNode& schoolClass) {
    return ::NewPupilNode({entry.Surname, entry.Name, entry.BirthDay, entry.Sexe, schoolClass.Text},
                          schoolClass.Data ? int(schoolClass.Data->Lines().size()) : 0);
}

QString CannotImportMessage(const QString& path, const QString& reason) {
    return QStringLiteral("Le fichier '%1' ne peut pas être importé :\r%2").arg(path, reason);
}

} // namespace

QModelIndex TMainForm::SelectedClassIndex() const {
    const QModelIndex node = SelectedNode();
    return node.parent().isValid() ? node.parent() : node;
}

void TMainForm::FileImportPupilsExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        const QModelIndex classIndex = SelectedClassIndex();
        const TClassNode* schoolClass = FModel->ClassAt(classIndex);
        if (!schoolClass || !schoolClass->Data)
            return;
        const QString path = FEnvironment.ChooseOpenFile(
            this, QStringLiteral("Importer des élèves"),
            QStringLiteral("Listes d'élèves (*.csv *.txt *.tsv);;Tous les fichiers (*)"));
        if (path.isEmpty())
            return;
        ImportPupilsFrom(path, classIndex);
    });
}

void TMainForm::ImportPupilsFrom(const QString& path, const QModelIndex& classIndex) {
    const TClassNode* schoolClass = FModel->ClassAt(classIndex);
    if (!schoolClass || !schoolClass->Data)
        return;
    // Checked before reading, so that a huge file is never loaded whole.
    TPupilTable table;
    if (QFileInfo(path).size() > MaxPupilListBytes) {
        table.Error = PupilListTooLargeError();
    } else if (const std::optional<QByteArray> bytes = ReadWholeFile(path)) {
        table = ReadPupilTable(*bytes);
        if (table.Error.isEmpty() && table.Headers.isEmpty())
            table.Error = QStringLiteral("Le fichier ne contient aucune ligne.");
    } else {
        ShowMessage(this, OpenFileError(path));
        return;
    }
    if (!table.Error.isEmpty()) {
        ShowMessage(this, CannotImportMessage(path, table.Error));
        return;
    }
    // The user's last choice for these headers wins over their recognition.
    std::optional<TPupilColumns> columns;
    if (table.HeaderFound || !table.Headers.isEmpty())
        columns = FPupilColumns.Find(table.Headers);
    if (!columns)
        columns = RecognisePupilColumns(table.Headers);
    const TPupilValueFormat format{FEnvironment.Regional, FEnvironment.Today().year()};
    TPupilImportPlan plan;
    {
        TPupilImportDlg dialog(schoolClass->Text, *schoolClass, table, *columns, format, this);
        if (dialog.exec() != QDialog::Accepted || dialog.Plan().Added.empty())
            return;
        FPupilColumns.Remember(table.Headers, dialog.Columns());
        plan = dialog.Plan();
    }
    std::vector<std::unique_ptr<TNode>> pupils;
    pupils.reserve(plan.Added.size());
    for (const TPlannedPupil& pupil : plan.Added)
        pupils.push_back(ImportedPupilNode(pupil.Entry, *schoolClass));
    const QModelIndex first = Editor().AddPupils(classIndex, std::move(pupils));
    Tree->expand(classIndex);
    SelectNode(first);
    Tree->scrollTo(first);
}

TStatisticsForm* TMainForm::StatisticsWindow() const {
    return FStatistics;
}

void TMainForm::FileStatisticsExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        const QModelIndex classIndex = SelectedClassIndex();
        if (!FModel->ClassAt(classIndex))
            return;
        if (!FStatistics) {
            FStatistics =
                new TStatisticsForm({FModel, FColHints, FEnvironment.Regional.DecimalSeparator,
                                     FEnvironment.ChooseSaveFile},
                                    this);
            // The grid writes into the records without the tree hearing of it.
            connect(Grid, &TEditGrid::OnModifyCheck, FStatistics, &TStatisticsForm::Refresh);
            connect(Grid, &TEditGrid::OnModifyEdit, FStatistics, &TStatisticsForm::Refresh);
        }
        FStatistics->SetClass(classIndex);
        FStatistics->show();
        FStatistics->raise();
        FStatistics->activateWindow();
    });
}
