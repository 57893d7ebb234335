#include "workspace/WorkspaceModel.h"

#include <algorithm>
#include <utility>

// A pupil's index points at its class node; a class index points at nothing.

TWorkspaceModel::TWorkspaceModel(TWorkspace& tree, TNodeIcons icons, QObject* parent)
    : QAbstractItemModel(parent)
    , FTree(tree)
    , FNodeIcons(std::move(icons)) {}

int TWorkspaceModel::ClassRow(const TClassNode* schoolClass) const {
    const auto found = std::find_if(FTree.Classes.begin(), FTree.Classes.end(),
                                    [&](const auto& node) { return node.get() == schoolClass; });
    return found == FTree.Classes.end() ? -1 : int(found - FTree.Classes.begin());
}

TNode* TWorkspaceModel::NodeAt(const QModelIndex& index) const {
    if (!index.isValid())
        return nullptr;
    if (const auto* schoolClass = static_cast<const TClassNode*>(index.internalPointer()))
        return schoolClass->Pupils[std::size_t(index.row())].get();
    return FTree.Classes[std::size_t(index.row())].get();
}

TClassNode* TWorkspaceModel::ClassAt(const QModelIndex& index) const {
    if (!index.isValid())
        return nullptr;
    if (auto* schoolClass = static_cast<TClassNode*>(index.internalPointer()))
        return schoolClass;
    return FTree.Classes[std::size_t(index.row())].get();
}

QModelIndex TWorkspaceModel::ClassIndex(const TClassNode* schoolClass) const {
    const int row = ClassRow(schoolClass);
    return row < 0 ? QModelIndex() : createIndex(row, 0);
}

void TWorkspaceModel::SetNodeText(const QModelIndex& index, const QString& text) {
    if (TNode* node = NodeAt(index)) {
        node->Text = text;
        Q_EMIT dataChanged(index, index, {Qt::DisplayRole});
    }
}

void TWorkspaceModel::SetNodeImages(const QModelIndex& index, std::pair<int, int> images) {
    if (TNode* node = NodeAt(index)) {
        node->SetImages(images);
        Q_EMIT dataChanged(index, index, {Qt::DecorationRole, ImageIndexRole, SelectedIndexRole});
    }
}

QModelIndex TWorkspaceModel::InsertClass(int row, std::unique_ptr<TClassNode> schoolClass) {
    if (row < 0 || row > rowCount())
        throw EListError(row);
    beginInsertRows({}, row, row);
    ::InsertClass(FTree, row, std::move(schoolClass));
    endInsertRows();
    return index(row, 0);
}

std::unique_ptr<TClassNode> TWorkspaceModel::TakeClass(const QModelIndex& schoolClass) {
    // Checked before the views are told: a removal announced and then not
    // made would leave them out of step with the tree.
    if (!schoolClass.isValid() || schoolClass.internalPointer() || schoolClass.row() < 0 ||
        schoolClass.row() >= rowCount())
        throw EListError(schoolClass.row());
    beginRemoveRows({}, schoolClass.row(), schoolClass.row());
    auto taken = ::TakeClass(FTree, schoolClass.row());
    endRemoveRows();
    return taken;
}

QModelIndex TWorkspaceModel::InsertPupil(const QModelIndex& schoolClass, int row,
                                         std::unique_ptr<TNode> pupil) {
    TClassNode* node = schoolClass.internalPointer() ? nullptr : ClassAt(schoolClass);
    if (!node || row < 0 || row > int(node->Pupils.size()))
        throw EListError(row);
    beginInsertRows(schoolClass, row, row);
    ::InsertPupil(*node, row, std::move(pupil));
    endInsertRows();
    return index(row, 0, schoolClass);
}

std::unique_ptr<TNode> TWorkspaceModel::TakePupil(const QModelIndex& pupil) {
    auto* schoolClass =
        pupil.isValid() ? static_cast<TClassNode*>(pupil.internalPointer()) : nullptr;
    if (!schoolClass || pupil.row() < 0 || pupil.row() >= int(schoolClass->Pupils.size()))
        throw EListError(pupil.row());
    beginRemoveRows(pupil.parent(), pupil.row(), pupil.row());
    auto taken = ::TakePupil(*schoolClass, pupil.row());
    endRemoveRows();
    return taken;
}

std::unique_ptr<TPData> TWorkspaceModel::ReplaceRecord(const QModelIndex& index,
                                                       std::unique_ptr<TPData> record) {
    TNode* node = NodeAt(index);
    if (!node)
        throw EListError(index.row());
    auto old = ::ReplaceRecord(*node, std::move(record));
    Q_EMIT dataChanged(index, index);
    return old;
}

void TWorkspaceModel::SwapRecords(std::vector<TRecordSwap>& records) {
    for (const auto& [index, record] : records) {
        if (!NodeAt(index))
            throw EListError(index.row());
    }
    struct TRange {
        QModelIndex Parent;
        int First;
        int Last;
    };
    std::vector<TRange> ranges;
    for (auto& [index, record] : records) {
        record = ::ReplaceRecord(*NodeAt(index), std::move(record));
        const auto range = std::find_if(ranges.begin(), ranges.end(), [&](const TRange& known) {
            return known.Parent == index.parent();
        });
        if (range == ranges.end()) {
            ranges.push_back({index.parent(), index.row(), index.row()});
        } else {
            range->First = std::min(range->First, index.row());
            range->Last = std::max(range->Last, index.row());
        }
    }
    for (const TRange& range : ranges)
        Q_EMIT dataChanged(index(range.First, 0, range.Parent), index(range.Last, 0, range.Parent));
}

void TWorkspaceModel::SwapPupilRecords(const QModelIndex& schoolClass,
                                       std::vector<TPupilRecord>& records) {
    TClassNode* node = schoolClass.internalPointer() ? nullptr : ClassAt(schoolClass);
    if (!node)
        throw EListError(schoolClass.row());
    const int count = int(node->Pupils.size());
    int first = count;
    int last = -1;
    for (auto& [row, record] : records) {
        if (row < 0 || row >= count)
            throw EListError(row);
        first = std::min(first, row);
        last = std::max(last, row);
    }
    for (auto& [row, record] : records)
        record = ::ReplaceRecord(*node->Pupils[std::size_t(row)], std::move(record));
    if (last >= 0)
        Q_EMIT dataChanged(index(first, 0, schoolClass), index(last, 0, schoolClass));
}

void TWorkspaceModel::ReorderPupils(const QModelIndex& schoolClass, const std::vector<int>& order) {
    TClassNode* node = schoolClass.internalPointer() ? nullptr : ClassAt(schoolClass);
    if (!node || order.size() != node->Pupils.size())
        throw EListError(schoolClass.row());
    std::vector<int> newRow(order.size(), -1);
    for (std::size_t row = 0; row < order.size(); ++row) {
        const int old = order[row];
        if (old < 0 || std::size_t(old) >= order.size() || newRow[std::size_t(old)] >= 0)
            throw EListError(old);
        newRow[std::size_t(old)] = int(row);
    }
    const QPersistentModelIndex parentIndex = schoolClass;
    Q_EMIT layoutAboutToBeChanged({parentIndex}, VerticalSortHint);
    std::vector<std::unique_ptr<TNode>> pupils;
    pupils.reserve(order.size());
    for (int old : order)
        pupils.push_back(std::move(node->Pupils[std::size_t(old)]));
    node->Pupils = std::move(pupils);
    // The views' places follow their pupils.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& place : before) {
        if (place.internalPointer() == node)
            after << createIndex(newRow[std::size_t(place.row())], 0, node);
        else
            after << place;
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({parentIndex}, VerticalSortHint);
}

QModelIndex TWorkspaceModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, 0);
    if (parent.internalPointer())
        return {};
    return createIndex(row, 0, FTree.Classes[std::size_t(parent.row())].get());
}

QModelIndex TWorkspaceModel::parent(const QModelIndex& child) const {
    const auto* schoolClass =
        child.isValid() ? static_cast<const TClassNode*>(child.internalPointer()) : nullptr;
    return schoolClass ? ClassIndex(schoolClass) : QModelIndex();
}

int TWorkspaceModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return int(FTree.Classes.size());
    if (parent.column() != 0 || parent.internalPointer())
        return 0;
    return int(FTree.Classes[std::size_t(parent.row())]->Pupils.size());
}

int TWorkspaceModel::columnCount(const QModelIndex&) const {
    return 1;
}

QIcon TWorkspaceModel::Icon(const TNode& node) const {
    const quint64 key = (quint64(quint32(node.ImageIndex)) << 32) | quint32(node.SelectedIndex);
    auto found = FIcons.find(key);
    if (found == FIcons.end())
        found = FIcons.insert(key, FNodeIcons ? FNodeIcons(node.ImageIndex, node.SelectedIndex)
                                              : QIcon());
    return *found;
}

QVariant TWorkspaceModel::data(const QModelIndex& index, int role) const {
    const TNode* node = NodeAt(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return node->Text;
    case Qt::DecorationRole:
        return Icon(*node);
    case ImageIndexRole:
        return node->ImageIndex;
    case SelectedIndexRole:
        return node->SelectedIndex;
    default:
        return {};
    }
}

Qt::ItemFlags TWorkspaceModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
