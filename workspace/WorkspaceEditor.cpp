#include "workspace/WorkspaceEditor.h"

#include "data/PupilOrder.h"
#include "data/SubjectLine.h"
#include "data/SubjectRemap.h"
#include "workspace/ClassCommands.h"
#include "workspace/TreeCommands.h"
#include "workspace/WorkspaceModel.h"

#include <algorithm>
#include <map>

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
    Push(std::make_unique<TLevelCommand>(FModel, FShow,
                                         QStringLiteral("niveau de ") + SubjectName(pupil, subject),
                                         TNodePlace::Of(pupil), subject, level));
}

void TWorkspaceEditor::SetMark(const QModelIndex& pupil, int subject, double mark) {
    const TPData* record = PupilRecord(pupil);
    if (!record || (subject < record->LevelCount() && record->GetMark(subject) == mark))
        return;
    Push(std::make_unique<TMarkCommand>(FModel, FShow,
                                        QStringLiteral("note de ") + SubjectName(pupil, subject),
                                        TNodePlace::Of(pupil), subject, mark));
}

void TWorkspaceEditor::SetComment(const QModelIndex& pupil, int subject, const QString& comment) {
    const TPData* record = PupilRecord(pupil);
    if (!record || TPData::StoredComment(comment) == record->GetComment(subject))
        return;
    Push(std::make_unique<TCommentCommand>(
        FModel, FShow, QStringLiteral("commentaire de ") + SubjectName(pupil, subject),
        TNodePlace::Of(pupil), subject, comment));
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

void TWorkspaceEditor::SetEvaluations(const QModelIndex& schoolClass,
                                      const std::vector<TEvaluation>& changes,
                                      const QString& what) {
    const TClassNode* node = IsClassIndex(schoolClass) ? FModel.ClassAt(schoolClass) : nullptr;
    if (!node)
        throw EListError(schoolClass.row());
    // One new record per pupil concerned, made from the one it replaces.
    std::map<int, std::unique_ptr<TPData>> records;
    for (const TEvaluation& change : changes) {
        if (change.Pupil < 0 || change.Pupil >= int(node->Pupils.size()) || change.Subject < 0)
            throw EListError(change.Pupil);
        const TPData* current = node->Pupils[std::size_t(change.Pupil)]->Data.get();
        if (!current || !current->IsPupil())
            continue;
        auto& record = records[change.Pupil];
        if (!record)
            record = std::make_unique<TPData>(*current);
        if (change.Level)
            record->SetLevel(change.Subject, *change.Level);
        if (change.Mark)
            record->SetMark(change.Subject, *change.Mark);
    }
    std::vector<TPupilRecordsCommand::TRecord> changed;
    for (auto& [row, record] : records) {
        const TPData& current = *node->Pupils[std::size_t(row)]->Data;
        bool same = record->LevelCount() == current.LevelCount();
        for (int i = 0; same && i < current.LevelCount(); ++i)
            same = record->GetLevel(i) == current.GetLevel(i) &&
                   record->GetMark(i) == current.GetMark(i);
        if (!same)
            changed.emplace_back(row, std::move(record));
    }
    if (!changed.empty())
        Push(std::make_unique<TPupilRecordsCommand>(FModel, FShow, what, schoolClass.row(),
                                                    std::move(changed)));
}

void TWorkspaceEditor::RenameClass(const QModelIndex& schoolClass, const QString& name) {
    const TClassNode* node = IsClassIndex(schoolClass) ? FModel.ClassAt(schoolClass) : nullptr;
    if (!node || !node->Data)
        throw EListError(schoolClass.row());
    const QString stored = TPData::StoredText(name);
    if (stored == node->Text && stored == node->Data->ClassName())
        return;
    Push(std::make_unique<TRenameClassCommand>(FModel, FShow, schoolClass.row(), stored));
}

QModelIndex TWorkspaceEditor::MovePupil(const QModelIndex& pupil, const QModelIndex& toClass,
                                        const QLocale& locale) {
    const TPData* record = PupilRecord(pupil);
    const TClassNode* from = FModel.ClassAt(pupil);
    const TClassNode* to = IsClassIndex(toClass) ? FModel.ClassAt(toClass) : nullptr;
    if (!record || !from || !to || !from->Data || !to->Data)
        throw EListError(pupil.row());
    if (from == to)
        return pupil;
    auto moved = RemapPupil(*record, from->Data->Lines(), to->Data->Lines(), locale);
    moved->SetClassName(to->Text);
    Push(std::make_unique<TMovePupilCommand>(FModel, FShow, TNodePlace::Of(pupil), toClass.row(),
                                             std::move(moved)));
    return FModel.index(FModel.rowCount(toClass) - 1, 0, toClass);
}

bool TWorkspaceEditor::SortPupils(const QModelIndex& schoolClass) {
    const TClassNode* node = IsClassIndex(schoolClass) ? FModel.ClassAt(schoolClass) : nullptr;
    if (!node)
        throw EListError(schoolClass.row());
    std::vector<int> order = FrenchPupilOrder(*node);
    if (std::is_sorted(order.begin(), order.end()))
        return false;
    Push(std::make_unique<TSortPupilsCommand>(FModel, FShow,
                                              QStringLiteral("tri des élèves de ") + node->Text,
                                              schoolClass.row(), std::move(order)));
    return true;
}
