#pragma once

#include "data/Workspace.h"
#include "workspace/WorkspaceCommand.h"

#include <memory>
#include <utility>
#include <vector>

// The steps that act on one class as a whole: many pupils' evaluations at
// once, the class's name, a pupil taken to another class, the pupils'
// order. Each holds what it swapped out of the tree, to swap it back.

class TPupilRecordsCommand : public TWorkspaceCommand {
public:
    using TRecord = std::pair<int, std::unique_ptr<TPData>>;

    TPupilRecordsCommand(TWorkspaceModel& model, TShowNode show, const QString& text, int classRow,
                         std::vector<TRecord> records);

private:
    QModelIndex Apply(bool forward) override;

    int FClassRow;
    std::vector<TRecord> FRecords;
};

class TRenameClassCommand : public TWorkspaceCommand {
public:
    TRenameClassCommand(TWorkspaceModel& model, TShowNode show, int classRow, QString name);

private:
    QModelIndex Apply(bool forward) override;

    int FClassRow;
    QString FCaption;
    std::unique_ptr<TPData> FClassRecord;
    std::vector<std::pair<int, std::unique_ptr<TPData>>> FPupilRecords;
};

// The pupil goes to the end of the other class with the record made for it
// there, and comes back to its place with the record it had.
class TMovePupilCommand : public TWorkspaceCommand {
public:
    TMovePupilCommand(TWorkspaceModel& model, TShowNode show, TNodePlace from, int toClassRow,
                      std::unique_ptr<TPData> record);

private:
    QModelIndex Apply(bool forward) override;

    TNodePlace FFrom;
    int FToClassRow;
    int FToRow = -1;
    std::unique_ptr<TPData> FRecord;
};

class TSortPupilsCommand : public TWorkspaceCommand {
public:
    // order[new row] is the pupil's row before the step.
    TSortPupilsCommand(TWorkspaceModel& model, TShowNode show, const QString& text, int classRow,
                       std::vector<int> order);

private:
    QModelIndex Apply(bool forward) override;

    int FClassRow;
    std::vector<int> FOrder;
};
