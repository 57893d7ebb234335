#pragma once

#include <QModelIndex>
#include <QUndoCommand>

#include <functional>

class TWorkspaceModel;

// Where a node stands in the tree: the history keeps places, not indexes,
// since undoing in order brings the tree back to the shape each step saw.
struct TNodePlace {
    int Class = -1;
    int Pupil = -1;

    static TNodePlace Of(const QModelIndex& node);
    QModelIndex Index(const TWorkspaceModel& model) const;
    bool operator==(const TNodePlace&) const = default;
};

// Shows the teacher the node an undone or redone step concerns.
using TShowNode = std::function<void(const QModelIndex&)>;

// One step of the workspace's history. Doing it the first time shows
// nothing (the user's own action already did); undoing and redoing show
// the node the step concerns.
class TWorkspaceCommand : public QUndoCommand {
public:
    TWorkspaceCommand(TWorkspaceModel& model, TShowNode show, const QString& text);

    void redo() final;
    void undo() final;

protected:
    TWorkspaceModel& Model() const { return FModel; }
    // Makes the change (forward) or takes it back; returns the node to show.
    virtual QModelIndex Apply(bool forward) = 0;

private:
    void Show(const QModelIndex& node) const;

    TWorkspaceModel& FModel;
    TShowNode FShow;
    bool FDone = false;
};
