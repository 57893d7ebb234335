#pragma once

#include <QColor>
#include <QImage>

// The picture drawn instead of the mark " X ". Its top-left pixel gives the
// transparent colour; every other pixel is drawn in the text colour.
class TCrossPicture {
public:
    const QImage& Picture() const { return Source; }
    void SetPicture(const QImage& picture);

    // The picture's visible pixels in color on a transparent ground.
    const QImage& Tinted(const QColor& color) const;

private:
    QImage Source;
    mutable QImage Cached;
    mutable QColor CachedColor;
};
