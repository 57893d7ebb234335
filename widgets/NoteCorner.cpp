#include "widgets/NoteCorner.h"

#include <QPainter>

#include <algorithm>

void DrawNoteCorner(QPainter& painter, const QRect& cell) {
    const int size = std::max(4, std::min(cell.width(), cell.height()) / 3);
    const QPoint corner(cell.right(), cell.top());
    const QPoint triangle[] = {corner, corner - QPoint(size, 0), corner + QPoint(0, size)};
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    painter.drawPolygon(triangle, 3);
    painter.restore();
}
