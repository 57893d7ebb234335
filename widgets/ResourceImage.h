#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

// Reads one of the program's own pictures (a resource path ending in
// ".png" or ".xpm") in the format its name tells. Left to find the format
// itself, Qt first loads every image plugin installed to ask each of them;
// none of them reads these formats, and the start-up paid for them all.
QImage ReadResourceImage(const QString& path);
QPixmap ReadResourcePixmap(const QString& path);
