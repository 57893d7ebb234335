// The subject editor command: the class gets its edited subject lines and
// every pupil of it a level list that follows them.

#include "app/MainForm.h"

#include "app/HandlerGuard.h"
#include "app/MessageBoxes.h"
#include "data/SubjectRemap.h"
#include "subjects/ModifyDlg.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

void TMainForm::FileModifyMattersExecute() {
    CommitPendingEdit();
    const QModelIndex node = SelectedNode();
    TPData* record = SelectedData();
    if (!record || !record->IsClass())
        return;
    TClassNode* schoolClass = FModel->ClassAt(node);
    RunGuarded(this, [&] {
        std::vector<TOtherClass> others;
        for (const auto& other : FModel->Tree().Classes) {
            if (other.get() != schoolClass)
                others.push_back({other->Text, other->Data ? other->Data->Lines() : QStringList()});
        }
        TModifyDlg dialog(*record, std::move(others), ShowErrorReport, this);
        // The subjects are what is checked here: only the pupils' names
        // count as known.
        UpdateRemarksTools(record, false);
        std::vector<const TPData*> pupils;
        for (const auto& pupil : schoolClass->Pupils) {
            if (pupil->Data && pupil->Data->IsPupil())
                pupils.push_back(pupil->Data.get());
        }
        dialog.SetEvaluations(std::move(pupils), FEnvironment.Regional.Locale);
        dialog.SetSpelling(FSpelling.get(),
                           [&dialog](const QString& text) { ShowMessage(&dialog, text); });
        const int result = dialog.exec();
        UpdateRemarksTools(SelectedData());
        if (result != QDialog::Accepted)
            return;

        // Compared as they will be stored, so that a line that changes when
        // stored still finds its old self.
        QStringList matters;
        for (const QString& line : dialog.MemoLines())
            matters.append(TPData::StoredLine(line));
        const std::vector<int> mapping = MapSubjectLines(
            record->Lines(), matters, dialog.LineOrigins(), FEnvironment.Regional.Locale);
        std::vector<TWorkspaceEditor::TRecordChange> changes;
        for (int row = 0; row < int(schoolClass->Pupils.size()); ++row) {
            const TNode& pupil = *schoolClass->Pupils[std::size_t(row)];
            if (pupil.Data && pupil.Data->IsPupil())
                changes.emplace_back(FModel->index(row, 0, node), RemapPupil(*pupil.Data, mapping));
        }
        auto classRecord = std::make_unique<TPData>(*record);
        classRecord->SetLines(matters);
        changes.emplace_back(node, std::move(classRecord));
        Editor().ReplaceRecords(QStringLiteral("matières de la classe %1").arg(record->ClassName()),
                                std::move(changes));

        UpdatePupilSheet(SelectedData());
        FillGrid(SelectedNode());
        UpdateStatusBar();
    });
}
