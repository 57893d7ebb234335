#pragma once

#include <QTreeView>

// The class and pupil tree's view. It never lets the user empty the
// selection: a click on empty space keeps it, and Ctrl with a click or the
// space bar on the selected node keeps that node selected, where a plain tree
// view would clear it while the pupil sheet stays live. The Delete key, with
// any modifier, asks for the selection to be deleted.
class TClassTreeView : public QTreeView {
    Q_OBJECT

public:
    using QTreeView::QTreeView;

Q_SIGNALS:
    void DeleteKeyPressed();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool OverNode(const QMouseEvent* event) const;
};
