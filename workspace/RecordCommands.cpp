#include "workspace/RecordCommands.h"

#include "data/Workspace.h"
#include "workspace/WorkspaceModel.h"

namespace {

enum TMergeId { kFieldTyping = 1, kRemarksTyping };

QString FieldText(TSheetField field) {
    switch (field) {
    case TSheetField::Surname:
        return QStringLiteral("nom de ");
    case TSheetField::Name:
        return QStringLiteral("prénom de ");
    case TSheetField::BirthDay:
        return QStringLiteral("date de naissance de ");
    case TSheetField::Sexe:
        break;
    }
    return QStringLiteral("sexe de ");
}

} // namespace

const QString& SheetFieldOf(const TPData& record, TSheetField field) {
    switch (field) {
    case TSheetField::Surname:
        return record.Surname();
    case TSheetField::Name:
        return record.Name();
    case TSheetField::BirthDay:
        return record.BirthDay();
    case TSheetField::Sexe:
        break;
    }
    return record.Sexe();
}

TRecordCommand::TRecordCommand(TWorkspaceModel& model, TShowNode show, const QString& text,
                               TNodePlace place)
    : TWorkspaceCommand(model, std::move(show), text)
    , FPlace(place) {}

const TPData* TRecordCommand::Current() const {
    const TNode* node = Model().NodeAt(FPlace.Index(Model()));
    return node ? node->Data.get() : nullptr;
}

QModelIndex TRecordCommand::Apply(bool) {
    const QModelIndex index = FPlace.Index(Model());
    TNode* node = Model().NodeAt(index);
    if (!node || !node->Data)
        return index;
    if (!FRecord) {
        FRecord = std::make_unique<TPData>(*node->Data);
        Change(*FRecord);
        FText = node->Text;
        FImages = {node->ImageIndex, node->SelectedIndex};
        Follow(*FRecord, FText, FImages);
    }
    FRecord = Model().ReplaceRecord(index, std::move(FRecord));
    const QString text = std::exchange(FText, node->Text);
    const auto images = std::exchange(FImages, {node->ImageIndex, node->SelectedIndex});
    if (text != FText)
        Model().SetNodeText(index, text);
    if (images != FImages)
        Model().SetNodeImages(index, images);
    return index;
}

TSheetFieldCommand::TSheetFieldCommand(TWorkspaceModel& model, TShowNode show, const QString& pupil,
                                       TNodePlace place, TSheetField field, QString value,
                                       int typing)
    : TRecordCommand(model, std::move(show), FieldText(field) + pupil, place)
    , FField(field)
    , FValue(std::move(value))
    , FTyping(typing) {}

int TSheetFieldCommand::id() const {
    return FField == TSheetField::Sexe ? -1 : kFieldTyping;
}

bool TSheetFieldCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TSheetFieldCommand*>(other);
    if (next->Place() != Place() || next->FField != FField || next->FTyping != FTyping)
        return false;
    // The later keystroke's change is made already: this step now covers it,
    // and typing back what was there leaves no step at all.
    const TPData* now = Current();
    setObsolete(now && Held() && SheetFieldOf(*now, FField) == SheetFieldOf(*Held(), FField));
    return true;
}

void TSheetFieldCommand::Change(TPData& record) const {
    switch (FField) {
    case TSheetField::Surname:
        record.SetSurname(FValue);
        break;
    case TSheetField::Name:
        record.SetName(FValue);
        break;
    case TSheetField::BirthDay:
        record.SetBirthDay(FValue);
        break;
    case TSheetField::Sexe:
        record.SetSexe(FValue);
        break;
    }
}

void TSheetFieldCommand::Follow(const TPData& record, QString& text,
                                std::pair<int, int>& images) const {
    if (FField == TSheetField::Surname || FField == TSheetField::Name)
        text = PupilCaption(record);
    else if (FField == TSheetField::Sexe)
        images = NodeImages(record);
}

TRemarksCommand::TRemarksCommand(TWorkspaceModel& model, TShowNode show, const QString& pupil,
                                 TNodePlace place, QStringList lines, int typing)
    : TRecordCommand(model, std::move(show), QStringLiteral("remarques de ") + pupil, place)
    , FLines(std::move(lines))
    , FTyping(typing) {}

int TRemarksCommand::id() const {
    return kRemarksTyping;
}

bool TRemarksCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TRemarksCommand*>(other);
    if (next->Place() != Place() || next->FTyping != FTyping)
        return false;
    const TPData* now = Current();
    setObsolete(now && Held() && now->Lines() == Held()->Lines());
    return true;
}
