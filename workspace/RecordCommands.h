#pragma once

#include "data/PData.h"
#include "workspace/WorkspaceCommand.h"

#include <QStringList>

#include <memory>
#include <utility>

// The steps that change one pupil's record: a level, a mark, a field of the
// sheet, the remarks. The first time, each makes its change on a copy of
// the record; from then on it swaps the record it holds with the node's,
// together with the node's caption and images, which follow the record.
class TRecordCommand : public TWorkspaceCommand {
public:
    TRecordCommand(TWorkspaceModel& model, TShowNode show, const QString& text, TNodePlace place);

protected:
    TNodePlace Place() const { return FPlace; }
    // The node's record, and the one held: the record before the step
    // while it is done.
    const TPData* Current() const;
    const TPData* Held() const { return FRecord.get(); }

private:
    QModelIndex Apply(bool forward) override;
    virtual void Change(TPData& record) const = 0;
    // The node's caption and images for the changed record.
    virtual void Follow(const TPData&, QString&, std::pair<int, int>&) const {}

    TNodePlace FPlace;
    std::unique_ptr<TPData> FRecord;
    QString FText;
    std::pair<int, int> FImages;
};

// One value of one subject line of a pupil changed: its level, its mark or
// its comment, given to the record through `Set`.
template <typename Value, auto Set> class TEvaluationCommand : public TRecordCommand {
public:
    TEvaluationCommand(TWorkspaceModel& model, TShowNode show, const QString& text,
                       TNodePlace place, int index, Value value)
        : TRecordCommand(model, std::move(show), text, place)
        , FIndex(index)
        , FValue(std::move(value)) {}

private:
    void Change(TPData& record) const override { (record.*Set)(FIndex, FValue); }

    int FIndex;
    Value FValue;
};

using TLevelCommand = TEvaluationCommand<int, &TPData::SetLevel>;
using TMarkCommand = TEvaluationCommand<double, &TPData::SetMark>;
using TCommentCommand = TEvaluationCommand<QString, &TPData::SetComment>;

enum class TSheetField { Surname, Name, BirthDay, Sexe };
const QString& SheetFieldOf(const TPData& record, TSheetField field);

// Keystrokes in one field of one pupil make one step until the typing ends
// (the editor tells the step it belongs to); a choice of sex is a step
// of its own.
class TSheetFieldCommand : public TRecordCommand {
public:
    TSheetFieldCommand(TWorkspaceModel& model, TShowNode show, const QString& pupil,
                       TNodePlace place, TSheetField field, QString value, int typing);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    void Change(TPData& record) const override;
    void Follow(const TPData& record, QString& text, std::pair<int, int>& images) const override;

    TSheetField FField;
    QString FValue;
    int FTyping;
};

class TRemarksCommand : public TRecordCommand {
public:
    TRemarksCommand(TWorkspaceModel& model, TShowNode show, const QString& pupil, TNodePlace place,
                    QStringList lines, int typing);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    void Change(TPData& record) const override { record.AssignLines(&FLines); }

    QStringList FLines;
    int FTyping;
};
