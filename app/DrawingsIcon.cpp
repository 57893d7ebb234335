#include "app/DrawingsIcon.h"

#include "widgets/ResourceImage.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

qint64 Area(QSize size) {
    return qint64(size.width()) * size.height();
}

class TDrawingsIconEngine : public QIconEngine {
public:
    TDrawingsIconEngine(std::vector<TDrawing> drawings, TDrawingReader read)
        : FDrawings(std::move(drawings))
        , FRead(std::move(read))
        , FPictures(FDrawings.size()) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal scale = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        Need(rect.size(), 1);
        Need(rect.size(), scale);
        Need(rect.size() * scale, scale);
        // The caller has already placed the rectangle by the icon's actual
        // size, which the drawings read give the same.
        FIcon.paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        Need(size, 1);
        return FIcon.pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        // Asked with the size in device pixels; the icon takes it in
        // layout pixels.
        Need(size, scale);
        Need(size / scale, scale);
        return FIcon.pixmap(size / scale, scale, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        Need(size, 1);
        return FIcon.actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        bool changed = false;
        for (std::size_t i = 0; i < FDrawings.size(); ++i)
            changed |= Read(i);
        if (changed)
            Rebuild();
        return FIcon.availableSizes(mode, state);
    }

    // A button asks this to lay itself out, long before it is drawn: the
    // drawings are the program's own, so the icon is not empty.
    bool isNull() override { return FDrawings.empty(); }

    QString key() const override { return QStringLiteral("drawings"); }

    QIconEngine* clone() const override { return new TDrawingsIconEngine(*this); }

private:
    // Reads the drawings that an icon of all of them would choose from for
    // `size` at `scale`, in every mode it has drawings for (a mode without
    // drawings of its own borrows another's). Qt takes, among one mode's
    // drawings, those of the density nearest the screen's, then the smallest
    // that covers the size, or else the largest; a drawing that cannot be
    // read is not there, so the choice is made again without it.
    void Need(QSize size, qreal scale) {
        bool changed = false;
        for (bool reading = true; reading;) {
            reading = false;
            for (const QIcon::Mode mode :
                 {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected})
                for (const qreal density : Densities(mode, scale))
                    if (const auto index = Chosen(mode, density, Area(size)))
                        reading |= Read(*index);
            changed |= reading;
        }
        if (changed)
            Rebuild();
    }

    bool Present(std::size_t index) const {
        return !FPictures[index] || !FPictures[index]->isNull();
    }

    // The densities the choice can fall on: the nearest ones, and the
    // nearest at or above the screen's (Qt versions differ on ties).
    std::vector<qreal> Densities(QIcon::Mode mode, qreal scale) const {
        std::vector<qreal> found;
        std::optional<qreal> nearest, above;
        for (std::size_t i = 0; i < FDrawings.size(); ++i) {
            if (FDrawings[i].Mode != mode || !Present(i))
                continue;
            const qreal density = FDrawings[i].Scale;
            found.push_back(density);
            if (!nearest || std::abs(density - scale) < std::abs(*nearest - scale))
                nearest = density;
            if (density >= scale && (!above || density < *above))
                above = density;
        }
        std::vector<qreal> chosen;
        for (const qreal density : found)
            if ((std::abs(density - scale) == std::abs(*nearest - scale) ||
                 (above && density == *above)) &&
                std::find(chosen.begin(), chosen.end(), density) == chosen.end())
                chosen.push_back(density);
        return chosen;
    }

    std::optional<std::size_t> Chosen(QIcon::Mode mode, qreal density, qint64 wanted) const {
        std::optional<std::size_t> best;
        for (std::size_t i = 0; i < FDrawings.size(); ++i) {
            const TDrawing& drawing = FDrawings[i];
            if (drawing.Mode != mode || drawing.Scale != density || !Present(i))
                continue;
            if (!best) {
                best = i;
                continue;
            }
            const qint64 area = Area({drawing.Size, drawing.Size});
            const qint64 bestArea = Area({FDrawings[*best].Size, FDrawings[*best].Size});
            const bool bothCover = std::min(area, bestArea) >= wanted;
            if (bothCover ? area < bestArea : area > bestArea)
                best = i;
        }
        return best;
    }

    bool Read(std::size_t index) {
        if (FPictures[index])
            return false;
        FPictures[index] =
            FRead ? FRead(FDrawings[index].Path) : ReadResourcePixmap(FDrawings[index].Path);
        return true;
    }

    // In the drawings' own order, as an icon of all of them holds them.
    void Rebuild() {
        FIcon = QIcon();
        for (std::size_t i = 0; i < FDrawings.size(); ++i)
            if (FPictures[i])
                FIcon.addPixmap(*FPictures[i], FDrawings[i].Mode);
    }

    std::vector<TDrawing> FDrawings;
    TDrawingReader FRead;
    // Unset until read.
    std::vector<std::optional<QPixmap>> FPictures;
    QIcon FIcon;
};

} // namespace

QIcon DrawingsIcon(std::vector<TDrawing> drawings, TDrawingReader read) {
    return QIcon(new TDrawingsIconEngine(std::move(drawings), std::move(read)));
}
