#pragma once

#include <QTreeView>

// The class and pupil tree's view. A click on empty space keeps the
// selection, where a plain tree view would clear it. The Delete key, with
// any modifier, asks for the selection to be deleted.
class TClassTreeView : public QTreeView {
    Q_OBJECT

public:
    using QTreeView::QTreeView;

Q_SIGNALS:
    void DeleteKeyPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool OverNode(const QMouseEvent* event) const;
};
