#include "app/ClassTreeView.h"

#include <QKeyEvent>
#include <QMouseEvent>

bool TClassTreeView::OverNode(const QMouseEvent* event) const {
    return indexAt(event->position().toPoint()).isValid();
}

QItemSelectionModel::SelectionFlags TClassTreeView::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags flags = QTreeView::selectionCommand(index, event);
    if (index.isValid() && (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return flags;
}

void TClassTreeView::mousePressEvent(QMouseEvent* event) {
    if (OverNode(event))
        QTreeView::mousePressEvent(event);
}

void TClassTreeView::mouseReleaseEvent(QMouseEvent* event) {
    if (OverNode(event))
        QTreeView::mouseReleaseEvent(event);
}

void TClassTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OverNode(event))
        QTreeView::mouseDoubleClickEvent(event);
}

void TClassTreeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        event->accept();
        Q_EMIT DeleteKeyPressed();
        return;
    }
    QTreeView::keyPressEvent(event);
}
