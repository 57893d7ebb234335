#include "workspace/WorkspaceCommand.h"

#include "workspace/WorkspaceModel.h"

TNodePlace TNodePlace::Of(const QModelIndex& node) {
    if (!node.isValid())
        return {};
    if (node.parent().isValid())
        return {node.parent().row(), node.row()};
    return {node.row(), -1};
}

QModelIndex TNodePlace::Index(const TWorkspaceModel& model) const {
    const QModelIndex schoolClass = model.index(Class, 0);
    return Pupil < 0 ? schoolClass : model.index(Pupil, 0, schoolClass);
}

TWorkspaceCommand::TWorkspaceCommand(TWorkspaceModel& model, TShowNode show, const QString& text)
    : FModel(model)
    , FShow(std::move(show)) {
    setText(text);
}

void TWorkspaceCommand::redo() {
    const QModelIndex node = Apply(true);
    if (FDone)
        Show(node);
    FDone = true;
}

void TWorkspaceCommand::undo() {
    Show(Apply(false));
}

void TWorkspaceCommand::Show(const QModelIndex& node) const {
    if (FShow)
        FShow(node);
}
