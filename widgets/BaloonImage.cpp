#include "widgets/BaloonImage.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

struct TLayout {
    int BodyLeft = 10;
    int BodyExtra = 21;
    int TextLeft = 15;
    int FillX = 12;
    int TailX = 0;
    int TailPixelX = 3;
};

TLayout LayoutFor(TBaloonAlign align, int width) {
    if (align == TBaloonAlign::alRight)
        return {};
    // The fill starts two pixels inside the body's right outline, as it does
    // inside the left one for alRight; width - 12 would be the outline itself.
    return {2, 13, 8, width - 14, width - 15, width - 4};
}

// Whether the pixel (x, y) lies in the shape that covers [x1, x2) x [y1, y2),
// its corners rounded by a 15 x 15 ellipse for sRoundRect.
bool InShape(TPShape shape, int x1, int y1, int x2, int y2, int x, int y) {
    if (x < x1 || x >= x2 || y < y1 || y >= y2)
        return false;
    if (shape == TPShape::sRectangle)
        return true;
    constexpr double radius = 7.5;
    const double px = x + 0.5;
    const double py = y + 0.5;
    const double cx = std::clamp(px, x1 + radius, x2 - radius);
    const double cy = std::clamp(py, y1 + radius, y2 - radius);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius;
}

// Paints the shape with a one-pixel black outline around a fill of brush,
// as a platform's rounded rectangle would, without anti-aliasing: the
// outline must stay closed for the flood fill below.
void DrawShape(QImage& image, TPShape shape, int x1, int y1, int x2, int y2, QRgb brush) {
    const QRect bounds = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).intersected(image.rect());
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            if (!InShape(shape, x1, y1, x2, y2, x, y))
                continue;
            const bool edge = !InShape(shape, x1, y1, x2, y2, x - 1, y) ||
                              !InShape(shape, x1, y1, x2, y2, x + 1, y) ||
                              !InShape(shape, x1, y1, x2, y2, x, y - 1) ||
                              !InShape(shape, x1, y1, x2, y2, x, y + 1);
            image.setPixel(x, y, edge ? qRgb(0, 0, 0) : brush);
        }
    }
}

void CopyTail(QImage& image, const QImage& tail, int left, int top) {
    const QRgb transparent = qRgb(255, 255, 0);
    for (int y = 0; y < tail.height(); ++y) {
        for (int x = 0; x < tail.width(); ++x) {
            const QRgb pixel = tail.pixel(x, y);
            if (qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) == transparent)
                continue;
            if (image.rect().contains(left + x, top + y))
                image.setPixel(left + x, top + y, pixel | 0xff000000u);
        }
    }
}

// Four-connected fill bounded by black. It also stops at the transparent
// outside: a gap where the tail meets the rounded body must not flood the
// whole window.
void FloodFill(QImage& image, QPoint start, QColor color) {
    if (!image.rect().contains(start))
        return;
    const QRgb fill = color.rgba() | 0xff000000u;
    const int width = image.width();
    std::vector<bool> seen(static_cast<size_t>(width) * static_cast<size_t>(image.height()));
    std::vector<QPoint> pending{start};
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        if (!image.rect().contains(p))
            continue;
        const size_t index =
            static_cast<size_t>(p.y()) * static_cast<size_t>(width) + static_cast<size_t>(p.x());
        if (seen[index])
            continue;
        seen[index] = true;
        const QRgb pixel = image.pixel(p);
        if (qAlpha(pixel) == 0 || (pixel & 0x00ffffffu) == 0)
            continue;
        image.setPixel(p, fill);
        pending.insert(pending.end(),
                       {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
}

int LineLeft(TTextAlign align, int textLeft, int widest, int width) {
    switch (align) {
    case TTextAlign::taLeft:
        return textLeft;
    case TTextAlign::taRight:
        return textLeft + widest - width;
    case TTextAlign::taCenter:
        break;
    }
    return textLeft + widest / 2 - width / 2;
}

} // namespace

TBaloonImage BuildBaloonImage(int X, int Y, const QString& Text, const TBaloonStyle& Style,
                              const QImage& Tail) {
    const QStringList lines = Text.split(Style.DivisionChar);
    const QFontMetrics metrics(Style.Font);
    const int lineHeight = metrics.height();
    const int H = lineHeight * static_cast<int>(lines.size());
    int M = 0;
    for (const QString& line : lines)
        M = std::max(M, metrics.horizontalAdvance(line));

    const int W = M + 23;
    if (Style.Align == TBaloonAlign::alLeft)
        X -= W;
    const TLayout layout = LayoutFor(Style.Align, W);

    QImage image(W, H + 20, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb body = Style.Color.rgba() | 0xff000000u;
    DrawShape(image, Style.Shape, layout.BodyLeft + 2, 2, M + layout.BodyExtra + 2, H + 5,
              qRgb(0, 0, 0));
    DrawShape(image, Style.Shape, layout.BodyLeft, 0, M + layout.BodyExtra, H + 3, body);
    CopyTail(image, Tail.convertToFormat(QImage::Format_RGB32), layout.TailX, H - 2);
    FloodFill(image, QPoint(layout.FillX, H - 3), Style.Color);

    const int dx = Style.Align == TBaloonAlign::alRight ? -1 : 1;
    for (const QPoint p : {QPoint(layout.TailPixelX, H + 13), QPoint(layout.TailPixelX, H + 14),
                           QPoint(layout.TailPixelX + dx, H + 15)}) {
        if (image.rect().contains(p))
            image.setPixel(p, body);
    }

    {
        QPainter painter(&image);
        painter.setFont(Style.Font);
        painter.setPen(Qt::black);
        int y = 1;
        for (const QString& line : lines) {
            const int width = metrics.horizontalAdvance(line);
            const QRect cell(LineLeft(Style.TextAlign, layout.TextLeft, M, width), y, width,
                             lineHeight);
            painter.fillRect(cell, Style.Color);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
            y += lineHeight;
        }
    }
    return {image, QRect(X, Y - H - 2, W, H + 20)};
}
