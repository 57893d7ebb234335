#include "workspace/TreeCommands.h"

#include "workspace/WorkspaceModel.h"

#include <QScopeGuard>

namespace {

QString NewPupilsText(const std::vector<std::unique_ptr<TNode>>& pupils) {
    if (pupils.size() == 1)
        return QStringLiteral("nouvel élève ") + pupils.front()->Text;
    return QStringLiteral("%1 nouveaux élèves").arg(pupils.size());
}

QString RemovalText(const TWorkspaceModel& model, TNodePlace place) {
    const TNode* node = model.NodeAt(place.Index(model));
    const QString caption = node ? node->Text : QString();
    return place.Pupil < 0 ? QStringLiteral("suppression de la classe ") + caption
                           : QStringLiteral("suppression de l'élève ") + caption;
}

} // namespace

TAddClassCommand::TAddClassCommand(TWorkspaceModel& model, TShowNode show, int row,
                                   std::unique_ptr<TClassNode> schoolClass)
    : TWorkspaceCommand(model, std::move(show),
                        QStringLiteral("nouvelle classe ") + schoolClass->Text)
    , FRow(row)
    , FClass(std::move(schoolClass)) {}

QModelIndex TAddClassCommand::Apply(bool forward) {
    if (forward)
        return Model().InsertClass(FRow, std::move(FClass));
    FClass = Model().TakeClass(Model().index(FRow, 0));
    // As after a deletion: the first class, if any is left.
    return Model().index(0, 0);
}

TAddPupilsCommand::TAddPupilsCommand(TWorkspaceModel& model, TShowNode show, int classRow,
                                     int firstRow, std::vector<std::unique_ptr<TNode>> pupils)
    : TWorkspaceCommand(model, std::move(show), NewPupilsText(pupils))
    , FClassRow(classRow)
    , FFirstRow(firstRow)
    , FCount(int(pupils.size()))
    , FPupils(std::move(pupils)) {}

QModelIndex TAddPupilsCommand::Apply(bool forward) {
    const QModelIndex schoolClass = Model().index(FClassRow, 0);
    if (forward) {
        for (int i = 0; i < FCount; ++i)
            Model().InsertPupil(schoolClass, FFirstRow + i, std::move(FPupils[std::size_t(i)]));
        FPupils.clear();
        return Model().index(FFirstRow, 0, schoolClass);
    }
    for (int i = 0; i < FCount; ++i)
        FPupils.push_back(Model().TakePupil(Model().index(FFirstRow, 0, schoolClass)));
    return schoolClass;
}

TRemoveNodeCommand::TRemoveNodeCommand(TWorkspaceModel& model, TShowNode show, TNodePlace place)
    : TWorkspaceCommand(model, std::move(show), RemovalText(model, place))
    , FPlace(place) {}

QModelIndex TRemoveNodeCommand::Apply(bool forward) {
    if (FPlace.Pupil < 0) {
        if (!forward)
            return Model().InsertClass(FPlace.Class, std::move(FClass));
        FClass = Model().TakeClass(FPlace.Index(Model()));
        return Model().index(0, 0);
    }
    const QModelIndex schoolClass = Model().index(FPlace.Class, 0);
    if (!forward)
        return Model().InsertPupil(schoolClass, FPlace.Pupil, std::move(FPupil));
    FPupil = Model().TakePupil(FPlace.Index(Model()));
    // As after a deletion: the next pupil, or the class after the last one.
    const QModelIndex next = Model().index(FPlace.Pupil, 0, schoolClass);
    return next.isValid() ? next : schoolClass;
}

TReplaceRecordsCommand::TReplaceRecordsCommand(TWorkspaceModel& model, TShowNode show,
                                               const QString& text, std::vector<TChange> changes)
    : TWorkspaceCommand(model, std::move(show), text)
    , FChanges(std::move(changes)) {}

QModelIndex TReplaceRecordsCommand::Apply(bool) {
    std::vector<TWorkspaceModel::TRecordSwap> swaps;
    swaps.reserve(FChanges.size());
    for (auto& [place, record] : FChanges)
        swaps.emplace_back(place.Index(Model()), std::move(record));
    // The records are the step's whatever happens: back into it.
    const auto back = qScopeGuard([&] {
        for (std::size_t i = 0; i < swaps.size(); ++i)
            FChanges[i].second = std::move(swaps[i].second);
    });
    Model().SwapRecords(swaps);
    if (FChanges.empty())
        return {};
    return Model().index(FChanges.front().first.Class, 0);
}

TReplaceWorkspaceCommand::TReplaceWorkspaceCommand(TWorkspaceModel& model, TShowNode show,
                                                   const QString& text, TWorkspace other)
    : TWorkspaceCommand(model, std::move(show), text)
    , FOther(std::move(other)) {}

QModelIndex TReplaceWorkspaceCommand::Apply(bool) {
    Model().Reset([this](TWorkspace& tree) { std::swap(tree.Classes, FOther.Classes); });
    return Model().index(0, 0);
}
