#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class TEditGrid;

// Draws one cell of the evaluation grid. The section rectangle holds the
// cell and, on its right and bottom edges, the cell's grid line pixels.
class TEditGridPainter {
public:
    explicit TEditGridPainter(const TEditGrid& grid);

    void PaintCell(QPainter& painter, const QRect& section, int ACol, int ARow) const;

private:
    void DrawCross(QPainter& painter, const QRect& rect, const QColor& color) const;

    const TEditGrid& Grid;
};
