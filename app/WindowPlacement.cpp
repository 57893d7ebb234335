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
    // No larger than the largest screen: a size from a damaged file would
    // otherwise take the memory of a window of that size.
    QSize largest(0, 0);
    for (const QRect& screen : screens)
        largest = largest.expandedTo(screen.size());
    const QRect sized(bounds.topLeft(), bounds.size().boundedTo(largest));
    const QRect top(sized.left(), sized.top(), sized.width(), kGripHeight);
    for (const QRect& screen : screens) {
        const QRect grip = top.intersected(screen);
        if (grip.width() >= std::min(kGripWidth, sized.width()) &&
            grip.height() >= std::min(kGripHeight, sized.height()) && sized.top() >= screen.top())
            return sized;
    }
    const QRect& screen = screens.first();
    QRect placed(QPoint(0, 0), sized.size().boundedTo(screen.size()));
    placed.moveCenter(screen.center());
    return placed;
}
