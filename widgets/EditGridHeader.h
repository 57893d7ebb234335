#pragma once

#include "widgets/EditGridPainter.h"

#include <QHeaderView>

// The grid's fixed row 0. It draws its cells like the grid's other fixed
// cells and reports mouse presses and releases, for the balloon hints.
class TEditGridHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit TEditGridHeader(TEditGrid& grid);

    void SetHeight(int height);
    QSize sizeHint() const override;

Q_SIGNALS:
    void MousePressed(QPoint globalPos);
    void MouseReleased(QPoint globalPos);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TEditGridPainter Painter;
    int Height = 20;
};
