#pragma once

#include "widgets/BaloonStyle.h"

#include <QImage>
#include <QRect>
#include <QString>

// The pre-rendered picture of one balloon and where it goes on the screen.
// Pixels outside the balloon are fully transparent.
struct TBaloonImage {
    QImage Image;
    QRect Bounds;
};

// Lays out and draws a balloon for Text. (X, Y) is the anchor: the tail's tip
// ends up one pixel left of (alLeft) or at (alRight) column X, 16 pixels below Y.
// Tail is the tail picture of Style.Align; its yellow pixels are left out.
TBaloonImage BuildBaloonImage(int X, int Y, const QString& Text, const TBaloonStyle& Style,
                              const QImage& Tail);
