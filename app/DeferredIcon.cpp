#include "app/DeferredIcon.h"

#include <QIconEngine>
#include <QPainter>

#include <utility>

namespace {

class TDeferredIconEngine : public QIconEngine {
public:
    explicit TDeferredIconEngine(std::function<QIcon()> build)
        : FBuild(std::move(build)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        // The caller has already placed the rectangle by the icon's actual
        // size, which the built icon gives the same.
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        // Asked with the size in device pixels; the icon takes it in
        // layout pixels.
        return Icon().pixmap(size / scale, scale, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }

    // A button asks this to lay itself out, long before it is drawn: the
    // drawings are the program's own, so the icon is not empty.
    bool isNull() override { return !FBuild && FIcon.isNull(); }

    QString key() const override { return QStringLiteral("deferred"); }

    QIconEngine* clone() const override { return new TDeferredIconEngine(*this); }

private:
    const QIcon& Icon() {
        if (FBuild) {
            FIcon = FBuild();
            FBuild = nullptr;
        }
        return FIcon;
    }

    std::function<QIcon()> FBuild;
    QIcon FIcon;
};

} // namespace

QIcon DeferredIcon(std::function<QIcon()> build) {
    return QIcon(new TDeferredIconEngine(std::move(build)));
}
