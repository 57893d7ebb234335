#pragma once

#include <QTreeView>

// The class and pupil tree's view. A click on empty space keeps the
// selection, where a plain tree view would clear it.
class TClassTreeView : public QTreeView {
    Q_OBJECT

public:
    using QTreeView::QTreeView;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool OverNode(const QMouseEvent* event) const;
};
