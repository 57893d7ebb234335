#pragma once

#include <QByteArrayView>
#include <QImage>

// Decodes a JPEG picture with libjpeg. A damaged picture gives a null image;
// a truncated one gives what could be decoded.
QImage DecodeJpeg(QByteArrayView bytes);
