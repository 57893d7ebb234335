#pragma once

#include "data/Workspace.h"

#include <QModelIndex>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class TWorkspaceModel;

// Every change the commands make to the workspace, in one place: new
// classes and pupils, deletions and the records replaced by a confirmed
// subject edit. Each call is one step for the user.
class TWorkspaceEditor {
public:
    using TRecordChange = std::pair<QModelIndex, std::unique_ptr<TPData>>;

    explicit TWorkspaceEditor(TWorkspaceModel& model)
        : FModel(model) {}

    // Appends the class after the last one; returns its index.
    QModelIndex AddClass(std::unique_ptr<TClassNode> schoolClass);
    // Appends the pupils after the last pupil of the class; returns the
    // index of the first one added.
    QModelIndex AddPupils(const QModelIndex& schoolClass,
                          std::vector<std::unique_ptr<TNode>> pupils);
    // Removes a class with all its pupils, or one pupil.
    void Remove(const QModelIndex& node);
    // Gives each node its new record, in one step named by the text.
    void ReplaceRecords(const QString& what, std::vector<TRecordChange> changes);

private:
    TWorkspaceModel& FModel;
};
