#pragma once

class QPainter;
class QRect;

// The mark of a cell that carries a note: a small red triangle in its top
// right corner, the same in every grid.
void DrawNoteCorner(QPainter& painter, const QRect& cell);
