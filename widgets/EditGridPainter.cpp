#include "widgets/EditGridPainter.h"

#include "widgets/EditGrid.h"
#include "widgets/NoteCorner.h"
#include "widgets/SubjectText.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

using namespace Qt::StringLiterals;

namespace {

void DrawClippedText(QPainter& painter, const QRect& clip, QPoint topLeft, const QString& text) {
    painter.save();
    painter.setClipRect(clip.normalized().intersected(clip));
    painter.drawText(QRect(topLeft, QSize(1 << 16, 1 << 16)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.restore();
}

} // namespace

TEditGridPainter::TEditGridPainter(const TEditGrid& grid)
    : Grid(grid) {}

void TEditGridPainter::PaintCell(QPainter& painter, const QRect& section, int ACol,
                                 int ARow) const {
    if (!Grid.ExtraDrawing())
        return;
    const QPalette& palette = Grid.palette();
    // Left, Top, Right, Bottom as the grid counts them: the cell covers
    // [Left, Right) x [Top, Bottom); column Right and row Bottom are its grid lines.
    const int left = section.left();
    const int top = section.top();
    const int right = left + section.width() - 1;
    const int bottom = top + section.height() - 1;
    const QRect cell(left, top, right - left, bottom - top);
    const bool fixed = ACol < Grid.FixedCols() || ARow < Grid.FixedRows();
    const bool evaluated = Grid.IsEvaluatedRow(ARow);

    painter.save();
    painter.setFont(Grid.font());
    const QColor shadow = palette.color(QPalette::Dark);
    QColor textColor;
    if (fixed) {
        const QColor highlight = palette.color(QPalette::Light);
        painter.fillRect(cell, palette.color(QPalette::Button));
        painter.fillRect(left, top, 1, bottom - top, highlight);
        painter.fillRect(left, top, right - left, 1, highlight);
        textColor = palette.color(QPalette::ButtonText);
    } else {
        painter.fillRect(cell, evaluated ? Grid.CellColor() : Grid.Color());
        textColor = Grid.FontColor();
    }
    painter.fillRect(right, top, 1, bottom - top, shadow);
    painter.fillRect(left, bottom, right - left + 1, 1, shadow);

    const QRect inner = cell.adjusted(1, 1, -1, -1);
    const QString text = Grid.Cells(ACol, ARow);
    painter.setPen(textColor);
    if (!text.isEmpty() && (evaluated || fixed)) {
        if (text == u" X "_s) {
            DrawCross(painter, inner, textColor);
        } else if (ACol == Grid.ExpandCol()) {
            const TSubjectText subject = LayoutSubjectText(text, inner, Grid.TextMeter());
            DrawClippedText(painter, subject.Rect, subject.Rect.topLeft() + QPoint(1, 1),
                            subject.Text);
        } else {
            DrawClippedText(painter, inner, inner.topLeft() + QPoint(1, 1), text);
        }
    }

    // A note on the row: a small triangle in the edit cell's top right corner.
    if (ACol == Grid.EditCol() && !fixed && !Grid.RowNote(ARow).isEmpty())
        DrawNoteCorner(painter, cell);

    if (Grid.CellHasFocus(ACol, ARow)) {
        QStyleOptionFocusRect focus;
        focus.initFrom(&Grid);
        focus.rect = inner;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
        focus.backgroundColor = evaluated ? Grid.CellColor() : Grid.Color();
        Grid.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &Grid);
    }
    painter.restore();
}

void TEditGridPainter::DrawCross(QPainter& painter, const QRect& rect, const QColor& color) const {
    const QImage& cross = Grid.Cross().Tinted(color);
    if (cross.isNull())
        return;
    // Division toward zero, also when the cell is smaller than the picture.
    const int x = rect.left() + (rect.width() - cross.width()) / 2;
    const int y = rect.top() + (rect.height() - cross.height()) / 2;
    painter.drawImage(x, y, cross);
}
