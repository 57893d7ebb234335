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
    // Placed by its top-left corner, on the baseline below it, without the
    // text formatting a box would cost; the clip alone bounds what shows.
    painter->drawText(QPoint(at.x(), at.y() + painter->fontMetrics().ascent()), text);
    painter->setClipping(false);
}

void TPainterCanvas::DrawLine(QPoint from, QPoint to) {
    if (QPainter* painter = Painter())
        painter->drawLine(from, to);
}

void TPainterCanvas::DrawPicture(const QRect& target, const QImage& picture) {
    QPainter* painter = Painter();
    if (!painter || picture.isNull() || target.width() <= 0 || target.height() <= 0)
        return;
    // Stretched as rectangles, one per run of visible pixels: a page keeps
    // them as vectors, where an image would be encoded into it at every row.
    if (picture.cacheKey() != RunsKey) {
        Runs = VisibleRuns(picture);
        RunsKey = picture.cacheKey();
    }
    const double sx = double(target.width()) / picture.width();
    const double sy = double(target.height()) / picture.height();
    QList<QRectF> rects;
    rects.reserve(Runs.size());
    for (const QRect& run : std::as_const(Runs))
        rects << QRectF(target.left() + run.left() * sx, target.top() + run.top() * sy,
                        run.width() * sx, sy);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    painter->drawRects(rects.constData(), int(rects.size()));
    painter->setBrush(Qt::NoBrush);
}

void TPainterCanvas::SetTextScale(double scale) {
    QPainter* painter = Recorder.Canvas();
    if (!painter)
        return;
    QFont font = Recorder.Font();
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * scale)));
    else
        font.setPointSizeF(font.pointSizeF() * scale);
    painter->setFont(font);
}

QList<QRect> TPainterCanvas::VisibleRuns(const QImage& picture) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    QList<QRect> runs;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width();) {
            if (qAlpha(argb.pixel(x, y)) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < argb.width() && qAlpha(argb.pixel(x, y)) != 0)
                ++x;
            runs << QRect(start, y, x - start, 1);
        }
    }
    return runs;
}
