#include "print/PageReplay.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>

void ReplayPage(QPainter& painter, const QPicture& page, QSize paper, const QRect& target) {
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / paper.width(), double(target.height()) / paper.height());
    const QPaintDevice* device = painter.device();
    if (device && device->logicalDpiX() > 0 && device->logicalDpiY() > 0)
        painter.scale(double(page.logicalDpiX()) / device->logicalDpiX(),
                      double(page.logicalDpiY()) / device->logicalDpiY());
    painter.drawPicture(0, 0, page);
    painter.restore();
}

QPageSize PaperPageSize(int widthTenths, int heightTenths) {
    return QPageSize(QSizeF(widthTenths / 10.0, heightTenths / 10.0), QPageSize::Millimeter,
                     QString(), QPageSize::ExactMatch);
}

std::optional<QByteArray> PagesToPdf(const std::vector<const QPicture*>& pages, QSize paperTenths,
                                     const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Quillorin"));
        writer.setResolution(1200);
        writer.setPageSize(PaperPageSize(paperTenths.width(), paperTenths.height()));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return std::nullopt;
        bool first = true;
        for (const QPicture* page : pages) {
            if (!page)
                continue;
            if (!first && !writer.newPage())
                return std::nullopt;
            first = false;
            ReplayPage(painter, *page, paperTenths, QRect(0, 0, writer.width(), writer.height()));
        }
        if (!painter.end())
            return std::nullopt;
    }
    return bytes;
}
