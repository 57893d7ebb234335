#pragma once

#include "data/Workspace.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QIcon>
#include <QScopeGuard>

#include <functional>
#include <utility>
#include <vector>

// The icon of a node from its two image numbers (normal, selected); the
// window supplies its image lists through it.
using TNodeIcons = std::function<QIcon(int image, int selected)>;

// The class and pupil tree as an item model: root rows are the workspace's
// classes, their children its pupils. A thin adapter over TWorkspace, which
// it neither owns nor copies; changes to node texts and images go through
// it so that the view follows.
class TWorkspaceModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum TRole { ImageIndexRole = Qt::UserRole + 1, SelectedIndexRole };

    TWorkspaceModel(TWorkspace& tree, TNodeIcons icons, QObject* parent = nullptr);

    TWorkspace& Tree() { return FTree; }
    TNode* NodeAt(const QModelIndex& index) const;
    // The class node of a class index, or of a pupil index's parent.
    TClassNode* ClassAt(const QModelIndex& index) const;
    QModelIndex ClassIndex(const TClassNode* schoolClass) const;

    void SetNodeText(const QModelIndex& index, const QString& text);
    void SetNodeImages(const QModelIndex& index, std::pair<int, int> images);

    // The workspace's own changes (data/Workspace.h), told to the views as
    // row insertions and removals. Insertions return the new node's index.
    QModelIndex InsertClass(int row, std::unique_ptr<TClassNode> schoolClass);
    std::unique_ptr<TClassNode> TakeClass(const QModelIndex& schoolClass);
    QModelIndex InsertPupil(const QModelIndex& schoolClass, int row, std::unique_ptr<TNode> pupil);
    std::unique_ptr<TNode> TakePupil(const QModelIndex& pupil);
    std::unique_ptr<TPData> ReplaceRecord(const QModelIndex& index, std::unique_ptr<TPData> record);
    // Gives pupils of one class their new records, each swapped with the
    // one it replaces, and tells the views once.
    using TPupilRecord = std::pair<int, std::unique_ptr<TPData>>;
    void SwapPupilRecords(const QModelIndex& schoolClass, std::vector<TPupilRecord>& records);
    // Swaps each record with its node's, then tells the views one range per
    // parent: a subject edit changes a class and every pupil of it, which a
    // view then shows again once rather than once per pupil. Nothing changes
    // when an index is not a node's.
    using TRecordSwap = std::pair<QModelIndex, std::unique_ptr<TPData>>;
    void SwapRecords(std::vector<TRecordSwap>& records);
    // Puts a class's pupils in a new order: order[new row] is the old row.
    void ReorderPupils(const QModelIndex& schoolClass, const std::vector<int>& order);

    // Wraps a change made to the tree behind the model's back: loading and
    // freeing only; every other change goes through the functions above.
    // The reset is completed even when the change fails part way.
    template <typename Change> void Reset(Change change) {
        beginResetModel();
        const auto end = qScopeGuard([this] { endResetModel(); });
        change(FTree);
    }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int ClassRow(const TClassNode* schoolClass) const;
    QIcon Icon(const TNode& node) const;

    TWorkspace& FTree;
    TNodeIcons FNodeIcons;
    mutable QHash<quint64, QIcon> FIcons;
};
