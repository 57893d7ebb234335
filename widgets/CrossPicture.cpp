#include "widgets/CrossPicture.h"

void TCrossPicture::SetPicture(const QImage& picture) {
    Source = picture.copy();
    Cached = QImage();
}

const QImage& TCrossPicture::Tinted(const QColor& color) const {
    if (Source.isNull() || (!Cached.isNull() && CachedColor == color))
        return Cached;
    const QImage source = Source.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = source.pixel(0, 0);
    const QRgb ink = color.rgba() | 0xff000000u;
    Cached = QImage(source.size(), QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            Cached.setPixel(x, y, source.pixel(x, y) == key ? 0u : ink);
    }
    CachedColor = color;
    return Cached;
}
