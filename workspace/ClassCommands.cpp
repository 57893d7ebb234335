#include "workspace/ClassCommands.h"

#include "workspace/WorkspaceModel.h"

TPupilRecordsCommand::TPupilRecordsCommand(TWorkspaceModel& model, TShowNode show,
                                           const QString& text, int classRow,
                                           std::vector<TRecord> records)
    : TWorkspaceCommand(model, std::move(show), text)
    , FClassRow(classRow)
    , FRecords(std::move(records)) {}

QModelIndex TPupilRecordsCommand::Apply(bool) {
    const QModelIndex schoolClass = Model().index(FClassRow, 0);
    Model().SwapPupilRecords(schoolClass, FRecords);
    if (FRecords.size() == 1)
        return Model().index(FRecords.front().first, 0, schoolClass);
    return schoolClass;
}

TRenameClassCommand::TRenameClassCommand(TWorkspaceModel& model, TShowNode show, int classRow,
                                         QString name)
    : TWorkspaceCommand(model, std::move(show), QStringLiteral("nom de la classe ") + name)
    , FClassRow(classRow)
    , FCaption(std::move(name)) {}

QModelIndex TRenameClassCommand::Apply(bool) {
    const QModelIndex index = Model().index(FClassRow, 0);
    TClassNode* schoolClass = Model().ClassAt(index);
    if (!schoolClass || !schoolClass->Data)
        return index;
    if (!FClassRecord) {
        // Every pupil's record names its class too.
        FClassRecord = std::make_unique<TPData>(*schoolClass->Data);
        FClassRecord->SetClassName(FCaption);
        for (int row = 0; row < int(schoolClass->Pupils.size()); ++row) {
            const TNode& pupil = *schoolClass->Pupils[std::size_t(row)];
            if (!pupil.Data)
                continue;
            auto record = std::make_unique<TPData>(*pupil.Data);
            record->SetClassName(FCaption);
            FPupilRecords.emplace_back(row, std::move(record));
        }
    }
    Model().SwapPupilRecords(index, FPupilRecords);
    FClassRecord = Model().ReplaceRecord(index, std::move(FClassRecord));
    const QString caption = std::exchange(FCaption, schoolClass->Text);
    Model().SetNodeText(index, caption);
    return index;
}

TMovePupilCommand::TMovePupilCommand(TWorkspaceModel& model, TShowNode show, TNodePlace from,
                                     int toClassRow, std::unique_ptr<TPData> record)
    : TWorkspaceCommand(model, std::move(show),
                        QStringLiteral("changement de classe de ") +
                            model.NodeAt(from.Index(model))->Text)
    , FFrom(from)
    , FToClassRow(toClassRow)
    , FRecord(std::move(record)) {}

QModelIndex TMovePupilCommand::Apply(bool forward) {
    const QModelIndex toClass = Model().index(FToClassRow, 0);
    const QModelIndex fromClass = Model().index(FFrom.Class, 0);
    if (forward) {
        std::unique_ptr<TNode> pupil = Model().TakePupil(FFrom.Index(Model()));
        std::swap(pupil->Data, FRecord);
        FToRow = Model().rowCount(toClass);
        return Model().InsertPupil(toClass, FToRow, std::move(pupil));
    }
    std::unique_ptr<TNode> pupil = Model().TakePupil(Model().index(FToRow, 0, toClass));
    std::swap(pupil->Data, FRecord);
    return Model().InsertPupil(fromClass, FFrom.Pupil, std::move(pupil));
}

TSortPupilsCommand::TSortPupilsCommand(TWorkspaceModel& model, TShowNode show, const QString& text,
                                       int classRow, std::vector<int> order)
    : TWorkspaceCommand(model, std::move(show), text)
    , FClassRow(classRow)
    , FOrder(std::move(order)) {}

QModelIndex TSortPupilsCommand::Apply(bool forward) {
    const QModelIndex schoolClass = Model().index(FClassRow, 0);
    if (forward) {
        Model().ReorderPupils(schoolClass, FOrder);
    } else {
        std::vector<int> back(FOrder.size());
        for (std::size_t row = 0; row < FOrder.size(); ++row)
            back[std::size_t(FOrder[row])] = int(row);
        Model().ReorderPupils(schoolClass, back);
    }
    return schoolClass;
}
