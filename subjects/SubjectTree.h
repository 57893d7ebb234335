#pragma once

#include "data/Messages.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QTreeWidget>

class TSpelling;

// The editor's subject tree: a check box on every node, several nodes
// selected at once but all on one level (the level of the node the
// selection started from) and remembered in the order they were selected,
// labels edited in place, and nodes dragged onto another node to become its
// last children.
class TSubjectTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit TSubjectTree(QWidget* parent = nullptr);

    // The selected nodes, in the order they joined the selection.
    QList<QTreeWidgetItem*> SelectedInOrder() const;

    // Selects every node on the level of the selection (of the focused
    // node when nothing is selected; the top level when neither).
    void SelectAllOnLevel();
    // Deletes the selected nodes with their descendants.
    void DeleteSelected();

    // A drop on the target moves the selected nodes that are neither the
    // target nor one of its ancestors; it is refused when there are none.
    bool CanDropOn(const QTreeWidgetItem* target) const;
    void DropOn(QTreeWidgetItem* target);

    // Underlines the misspelt words of the labels, shown and edited.
    void SetSpelling(TSpelling* spelling, TMessageSink report);

Q_SIGNALS:
    void InsertKeyPressed();
    void DeleteKeyPressed();
    // The right button was released over the tree, the selection updated.
    void PopupWanted(const QPoint& globalPosition);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void KeepOneLevel(const QItemSelection& selected);
    QList<QTreeWidgetItem*> NodesOnLevel(int level) const;

    QList<QPersistentModelIndex> FSelectionOrder;
    bool FAdjustingSelection = false;
};
