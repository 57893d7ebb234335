#include "app/WorkspaceEditor.h"

#include "app/WorkspaceModel.h"

QModelIndex TWorkspaceEditor::AddClass(std::unique_ptr<TClassNode> schoolClass) {
    return FModel.InsertClass(FModel.rowCount(), std::move(schoolClass));
}

QModelIndex TWorkspaceEditor::AddPupils(const QModelIndex& schoolClass,
                                        std::vector<std::unique_ptr<TNode>> pupils) {
    const int first = FModel.rowCount(schoolClass);
    for (auto& pupil : pupils)
        FModel.InsertPupil(schoolClass, FModel.rowCount(schoolClass), std::move(pupil));
    return FModel.index(first, 0, schoolClass);
}

void TWorkspaceEditor::Remove(const QModelIndex& node) {
    if (node.parent().isValid())
        FModel.TakePupil(node);
    else
        FModel.TakeClass(node);
}

void TWorkspaceEditor::ReplaceRecords(const QString&, std::vector<TRecordChange> changes) {
    for (auto& [index, record] : changes)
        FModel.ReplaceRecord(index, std::move(record));
}
