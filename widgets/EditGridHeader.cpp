#include "widgets/EditGridHeader.h"

#include "widgets/EditGrid.h"

#include <QMouseEvent>

TEditGridHeader::TEditGridHeader(TEditGrid& grid)
    : QHeaderView(Qt::Horizontal, &grid)
    , Painter(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(1);
    setStretchLastSection(false);
    setBackgroundRole(QPalette::Button);
    viewport()->setBackgroundRole(QPalette::Button);
}

void TEditGridHeader::SetHeight(int height) {
    Height = height;
    updateGeometry();
}

QSize TEditGridHeader::sizeHint() const {
    // Its height is the first row's and its width the columns'; nothing is
    // measured from labels it never draws.
    return {length(), Height};
}

void TEditGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    Painter.PaintCell(*painter, rect, logicalIndex, 0);
}

void TEditGridHeader::mousePressEvent(QMouseEvent* event) {
    Q_EMIT MousePressed(event->globalPosition().toPoint());
    QHeaderView::mousePressEvent(event);
}

void TEditGridHeader::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT MouseReleased(event->globalPosition().toPoint());
    QHeaderView::mouseReleaseEvent(event);
}
