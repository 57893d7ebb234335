#include "subjects/SubjectTree.h"

#include "subjects/SubjectTreeLines.h"
#include "widgets/SpellLineEdit.h"
#include "widgets/SubjectText.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace {

constexpr int kItemHeight = 16;

// Rows of the designed height; a label whose edit ends with "$", "_", a
// blank or a tab in front loses them, since the stored line would read back
// as another heading flag or depth.
class TSubjectLabelDelegate : public TSpellItemDelegate {
public:
    using TSpellItemDelegate::TSpellItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {TSpellItemDelegate::sizeHint(option, index).width(), kItemHeight};
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            model->setData(index, StripSubjectPrefix(edit->text()), Qt::EditRole);
            return;
        }
        TSpellItemDelegate::setModelData(editor, model, index);
    }
};

// What follows the mouse during a drag: one sheet, or a stack of them when
// the drag carries several subjects.
QPixmap DragImage(bool several, const QPalette& colours) {
    QPixmap image(20, 20);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(colours.color(QPalette::Text));
    painter.setBrush(colours.color(QPalette::Base));
    const int sheets = several ? 3 : 1;
    for (int i = sheets - 1; i >= 0; --i)
        painter.drawRect(QRect(2 + 3 * i, 2 + 3 * i, 11, 13));
    return image;
}

bool IsAncestorOf(const QTreeWidgetItem* ancestor, const QTreeWidgetItem* item) {
    for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent()) {
        if (p == ancestor)
            return true;
    }
    return false;
}

bool Moves(const QTreeWidgetItem* node, const QTreeWidgetItem* target) {
    return node != target && !IsAncestorOf(node, target);
}

} // namespace

TSubjectTree::TSubjectTree(QWidget* parent)
    : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    // Labels are never cut by the column: a long one scrolls.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setIndentation(19);
    setUniformRowHeights(true);
    setRootIsDecorated(true);
    setItemDelegate(new TSubjectLabelDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // The selection shows only while the tree has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Inactive, QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
    connect(
        selectionModel(), &QItemSelectionModel::selectionChanged, this,
        [this](const QItemSelection& selected, const QItemSelection&) { KeepOneLevel(selected); });
}

void TSubjectTree::KeepOneLevel(const QItemSelection& selected) {
    if (FAdjustingSelection)
        return;
    QItemSelectionModel* selection = selectionModel();
    FSelectionOrder.removeIf([selection](const QPersistentModelIndex& index) {
        return !index.isValid() || !selection->isSelected(index);
    });
    const QModelIndexList added = selected.indexes();
    if (added.isEmpty())
        return;
    int level = -1;
    if (!FSelectionOrder.isEmpty())
        level = NodeLevel(itemFromIndex(FSelectionOrder.first()));
    else if (added.contains(currentIndex()))
        level = NodeLevel(itemFromIndex(currentIndex()));
    else
        level = NodeLevel(itemFromIndex(added.first()));

    QItemSelection refused;
    for (const QModelIndex& index : added) {
        if (NodeLevel(itemFromIndex(index)) != level)
            refused.select(index, index);
        else if (!FSelectionOrder.contains(QPersistentModelIndex(index)))
            FSelectionOrder.append(QPersistentModelIndex(index));
    }
    if (!refused.isEmpty()) {
        FAdjustingSelection = true;
        selection->select(refused, QItemSelectionModel::Deselect);
        FAdjustingSelection = false;
    }
}

QList<QTreeWidgetItem*> TSubjectTree::SelectedInOrder() const {
    QList<QTreeWidgetItem*> nodes;
    for (const QPersistentModelIndex& index : FSelectionOrder) {
        if (index.isValid() && selectionModel()->isSelected(index))
            nodes.append(itemFromIndex(index));
    }
    return nodes;
}

QList<QTreeWidgetItem*> TSubjectTree::NodesOnLevel(int level) const {
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(const_cast<TSubjectTree*>(this)); *it; ++it) {
        if (NodeLevel(*it) == level)
            nodes.append(*it);
    }
    return nodes;
}

void TSubjectTree::SelectAllOnLevel() {
    const QList<QTreeWidgetItem*> selected = SelectedInOrder();
    int level = 0;
    if (!selected.isEmpty())
        level = NodeLevel(selected.first());
    else if (currentItem())
        level = NodeLevel(currentItem());
    for (QTreeWidgetItem* node : NodesOnLevel(level))
        node->setSelected(true);
}

void TSubjectTree::DeleteSelected() {
    // All on one level: none of them is inside another.
    const QList<QTreeWidgetItem*> selected = SelectedInOrder();
    for (QTreeWidgetItem* node : selected)
        delete node;
}

bool TSubjectTree::CanDropOn(const QTreeWidgetItem* target) const {
    if (!target)
        return false;
    const QList<QTreeWidgetItem*> selected = SelectedInOrder();
    return std::any_of(selected.cbegin(), selected.cend(),
                       [target](const QTreeWidgetItem* node) { return Moves(node, target); });
}

void TSubjectTree::DropOn(QTreeWidgetItem* target) {
    if (!target)
        return;
    const QList<QTreeWidgetItem*> selected = SelectedInOrder();
    setUpdatesEnabled(false);
    for (QTreeWidgetItem* node : selected) {
        if (!Moves(node, target))
            continue;
        QTreeWidgetItem* parent = node->parent();
        if (parent)
            parent->takeChild(parent->indexOfChild(node));
        else
            takeTopLevelItem(indexOfTopLevelItem(node));
        target->addChild(node);
    }
    target->setExpanded(true);
    for (QTreeWidgetItemIterator it(target); *it && (*it == target || IsAncestorOf(target, *it));
         ++it)
        (*it)->setExpanded(true);
    setUpdatesEnabled(true);
}

void TSubjectTree::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState && event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Insert:
            Q_EMIT InsertKeyPressed();
            return;
        case Qt::Key_Delete:
            Q_EMIT DeleteKeyPressed();
            return;
        case Qt::Key_F2:
            if (selectedItems().size() < 2 && currentItem())
                editItem(currentItem());
            return;
        default:
            break;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

void TSubjectTree::mousePressEvent(QMouseEvent* event) {
    // The right button leaves the selection alone until it is released.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void TSubjectTree::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton || event->modifiers() != Qt::NoModifier) {
        QTreeWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    const QModelIndex node = indexAt(position);
    if (node.isValid())
        selectionModel()->setCurrentIndex(node, QItemSelectionModel::Select);
    else
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    Q_EMIT PopupWanted(viewport()->mapToGlobal(position));
}

void TSubjectTree::startDrag(Qt::DropActions) {
    const QList<QTreeWidgetItem*> selected = SelectedInOrder();
    if (selected.isEmpty())
        return;
    // The drop moves the nodes itself: nothing is removed when the drag
    // ends, whatever the drag reports.
    const QTreeWidgetItem* focused = currentItem();
    const bool several = selected.size() > 1 || (focused && focused->childCount() > 1);
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData(selected));
    drag->setPixmap(DragImage(several, palette()));
    drag->setHotSpot(QPoint(-8, -8));
    drag->exec(Qt::MoveAction);
}

void TSubjectTree::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TSubjectTree::dragMoveEvent(QDragMoveEvent* event) {
    // The view scrolls and shows where the drop would go; whether it is
    // taken is the editor's rule.
    QTreeWidget::dragMoveEvent(event);
    if (event->source() == this && CanDropOn(itemAt(event->position().toPoint())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TSubjectTree::dropEvent(QDropEvent* event) {
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (event->source() != this || !CanDropOn(target)) {
        event->ignore();
        return;
    }
    DropOn(target);
    event->setDropAction(Qt::MoveAction);
    event->accept();
    stopAutoScroll();
    setState(QAbstractItemView::NoState);
    viewport()->update();
}

bool TSubjectTree::viewportEvent(QEvent* event) {
    // A label that runs past the visible area shows whole as a tool tip.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex node = indexAt(help->pos());
        const QRect rect = visualRect(node);
        if (node.isValid() && (rect.right() >= viewport()->width() || rect.left() < 0))
            QToolTip::showText(help->globalPos(), node.data().toString(), viewport(), rect);
        else
            QToolTip::hideText();
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

void TSubjectTree::SetSpelling(TSpelling* spelling, TMessageSink report) {
    static_cast<TSpellItemDelegate*>(itemDelegate())->SetSpelling(spelling, std::move(report));
}
