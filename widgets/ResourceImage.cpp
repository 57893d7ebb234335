#include "widgets/ResourceImage.h"

#include <QFileInfo>
#include <QImageReader>

QImage ReadResourceImage(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap ReadResourcePixmap(const QString& path) {
    return QPixmap::fromImage(ReadResourceImage(path));
}
