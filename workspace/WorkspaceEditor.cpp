#include "workspace/WorkspaceEditor.h"

#include "data/SubjectLine.h"
#include "workspace/TreeCommands.h"
#include "workspace/WorkspaceModel.h"

namespace {

bool IsClassIndex(const QModelIndex& index) {
    return index.isValid() && !index.parent().isValid();
}

} // namespace

void TWorkspaceEditor::Push(std::unique_ptr<QUndoCommand> command) {
    // The history owns the step once it is done; a step that failed is freed.
    FHistory.push(command.get());
    command.release();
}

QModelIndex TWorkspaceEditor::AddClass(std::unique_ptr<TClassNode> schoolClass) {
    const int row = FModel.rowCount();
    Push(std::make_unique<TAddClassCommand>(FModel, FShow, row, std::move(schoolClass)));
    return FModel.index(row, 0);
}

QModelIndex TWorkspaceEditor::AddPupils(const QModelIndex& schoolClass,
                                        std::vector<std::unique_ptr<TNode>> pupils) {
    if (!IsClassIndex(schoolClass) || schoolClass.model() != &FModel)
        throw EListError(schoolClass.row());
    const int first = FModel.rowCount(schoolClass);
    if (!pupils.empty())
        Push(std::make_unique<TAddPupilsCommand>(FModel, FShow, schoolClass.row(), first,
                                                 std::move(pupils)));
    return FModel.index(first, 0, schoolClass);
}

void TWorkspaceEditor::Remove(const QModelIndex& node) {
    if (!FModel.NodeAt(node))
        throw EListError(node.row());
    Push(std::make_unique<TRemoveNodeCommand>(FModel, FShow, TNodePlace::Of(node)));
}

void TWorkspaceEditor::ReplaceRecords(const QString& what, std::vector<TRecordChange> changes) {
    std::vector<TReplaceRecordsCommand::TChange> places;
    places.reserve(changes.size());
    for (auto& [index, record] : changes) {
        if (!FModel.NodeAt(index))
            throw EListError(index.row());
        places.emplace_back(TNodePlace::Of(index), std::move(record));
    }
    if (!places.empty())
        Push(std::make_unique<TReplaceRecordsCommand>(FModel, FShow, what, std::move(places)));
}

void TWorkspaceEditor::ReplaceWorkspace(const QString& what, TWorkspace workspace) {
    Push(std::make_unique<TReplaceWorkspaceCommand>(FModel, FShow, what, std::move(workspace)));
}

const TPData* TWorkspaceEditor::PupilRecord(const QModelIndex& pupil) const {
    const TNode* node = FModel.NodeAt(pupil);
    return node && node->Data && node->Data->IsPupil() ? node->Data.get() : nullptr;
}

QString TWorkspaceEditor::SubjectName(const QModelIndex& pupil, int subject) const {
    const TClassNode* schoolClass = FModel.ClassAt(pupil);
    if (!schoolClass || !schoolClass->Data || subject >= schoolClass->Data->Lines().size())
        return QString();
    return ParseSubjectLine(schoolClass->Data->Lines()[subject]).Name;
}

void TWorkspaceEditor::SetLevel(const QModelIndex& pupil, int subject, int level) {
    const TPData* record = PupilRecord(pupil);
    if (!record || (subject < record->LevelCount() && record->GetLevel(subject) == level))
        return;
    Push(std::make_unique<TLevelCommand>(FModel, FShow, SubjectName(pupil, subject),
                                         TNodePlace::Of(pupil), subject, level));
}

void TWorkspaceEditor::SetMark(const QModelIndex& pupil, int subject, double mark) {
    const TPData* record = PupilRecord(pupil);
    if (!record || (subject < record->LevelCount() && record->GetMark(subject) == mark))
        return;
    Push(std::make_unique<TMarkCommand>(FModel, FShow, SubjectName(pupil, subject),
                                        TNodePlace::Of(pupil), subject, mark));
}

void TWorkspaceEditor::SetSheetField(const QModelIndex& pupil, TSheetField field,
                                     const QString& value) {
    const TPData* record = PupilRecord(pupil);
    if (!record || TPData::StoredText(value) == SheetFieldOf(*record, field))
        return;
    Push(std::make_unique<TSheetFieldCommand>(FModel, FShow, FModel.NodeAt(pupil)->Text,
                                              TNodePlace::Of(pupil), field, value, FTyping));
}

void TWorkspaceEditor::SetRemarks(const QModelIndex& pupil, const QStringList& lines) {
    const TPData* record = PupilRecord(pupil);
    if (!record || record->Lines() == lines)
        return;
    Push(std::make_unique<TRemarksCommand>(FModel, FShow, FModel.NodeAt(pupil)->Text,
                                           TNodePlace::Of(pupil), lines, FTyping));
}

void TWorkspaceEditor::Undo() {
    EndTyping();
    FHistory.undo();
    EndTyping();
}

void TWorkspaceEditor::Redo() {
    EndTyping();
    FHistory.redo();
    EndTyping();
}
