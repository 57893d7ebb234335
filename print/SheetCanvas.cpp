#include "print/SheetCanvas.h"

#include "print/PageRecorder.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// Measured on the page's own device, so that the widths are those drawn.
QFontMetrics MetricsOf(TPageRecorder& recorder) {
    QPainter* painter = recorder.Canvas();
    return painter ? painter->fontMetrics() : QFontMetrics(recorder.Font());
}

} // namespace

QPainter* TPainterCanvas::Painter() {
    QPainter* painter = Recorder.Canvas();
    if (painter) {
        // Printed sheets are black on white whatever the desktop's colours.
        static const QPen pen(Qt::black, 1);
        painter->setPen(pen);
    }
    return painter;
}

int TPainterCanvas::TextWidth(const QString& text) {
    return MetricsOf(Recorder).horizontalAdvance(text);
}

int TPainterCanvas::TextHeight(const QString& text) {
    return MetricsOf(Recorder).size(Qt::TextSingleLine, text).height();
}

void TPainterCanvas::DrawText(QPoint at, const QRect& cell, const QString& text) {
    QPainter* painter = Painter();
    if (!painter || text.isEmpty() || cell.width() <= 0 || cell.height() <= 0)
        return;
    // Set and removed explicitly rather than saved and restored: replayed
    // from a picture, the restored state kept the clip and hid later lines.
    painter->setClipRect(cell);
    // Placed by its top-left corner; the clip alone bounds what shows.
    painter->drawText(QRect(at, QSize(1, 1)),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
    painter->setClipping(false);
}

void TPainterCanvas::DrawLine(QPoint from, QPoint to) {
    if (QPainter* painter = Painter())
        painter->drawLine(from, to);
}

void TPainterCanvas::DrawPicture(const QRect& target, const QImage& picture) {
    QPainter* painter = Painter();
    if (painter && !picture.isNull() && target.width() > 0 && target.height() > 0)
        painter->drawImage(target, picture);
}
