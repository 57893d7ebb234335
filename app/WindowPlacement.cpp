#include "app/WindowPlacement.h"

#include <algorithm>

namespace {

// Enough of the window to grab and drag it back.
constexpr int kGripWidth = 100;
constexpr int kGripHeight = 30;

} // namespace

QRect ReachableBounds(const QRect& bounds, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return bounds;
    const QRect top(bounds.left(), bounds.top(), bounds.width(), kGripHeight);
    for (const QRect& screen : screens) {
        const QRect grip = top.intersected(screen);
        if (grip.width() >= std::min(kGripWidth, bounds.width()) &&
            grip.height() >= std::min(kGripHeight, bounds.height()) && bounds.top() >= screen.top())
            return bounds;
    }
    const QRect& screen = screens.first();
    QRect placed(QPoint(0, 0), bounds.size().boundedTo(screen.size()));
    placed.moveCenter(screen.center());
    return placed;
}
