#pragma once

#include "data/Workspace.h"
#include "workspace/WorkspaceCommand.h"

#include <memory>
#include <utility>
#include <vector>

// The steps that change the tree's shape or replace records whole. Each
// keeps what it took out of the tree, to put it back.

class TAddClassCommand : public TWorkspaceCommand {
public:
    TAddClassCommand(TWorkspaceModel& model, TShowNode show, int row,
                     std::unique_ptr<TClassNode> schoolClass);

private:
    QModelIndex Apply(bool forward) override;

    int FRow;
    std::unique_ptr<TClassNode> FClass;
};

class TAddPupilsCommand : public TWorkspaceCommand {
public:
    TAddPupilsCommand(TWorkspaceModel& model, TShowNode show, int classRow, int firstRow,
                      std::vector<std::unique_ptr<TNode>> pupils);

private:
    QModelIndex Apply(bool forward) override;

    int FClassRow;
    int FFirstRow;
    int FCount;
    std::vector<std::unique_ptr<TNode>> FPupils;
};

// A class goes with all its pupils and comes back whole, in its place.
class TRemoveNodeCommand : public TWorkspaceCommand {
public:
    TRemoveNodeCommand(TWorkspaceModel& model, TShowNode show, TNodePlace place);

private:
    QModelIndex Apply(bool forward) override;

    TNodePlace FPlace;
    std::unique_ptr<TClassNode> FClass;
    std::unique_ptr<TNode> FPupil;
};

class TReplaceRecordsCommand : public TWorkspaceCommand {
public:
    using TChange = std::pair<TNodePlace, std::unique_ptr<TPData>>;

    TReplaceRecordsCommand(TWorkspaceModel& model, TShowNode show, const QString& text,
                           std::vector<TChange> changes);

private:
    // Each record held is swapped with the node's: the same move both ways.
    QModelIndex Apply(bool forward) override;

    std::vector<TChange> FChanges;
};

// The whole workspace exchanged for another one (a recovered workspace, a
// dated copy restored): what was there comes back whole with Undo.
class TReplaceWorkspaceCommand : public TWorkspaceCommand {
public:
    TReplaceWorkspaceCommand(TWorkspaceModel& model, TShowNode show, const QString& text,
                             TWorkspace other);

private:
    QModelIndex Apply(bool forward) override;

    TWorkspace FOther;
};
