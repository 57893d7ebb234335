#pragma once

#include <QList>
#include <QRect>

// A window restored from the settings may lie wholly or mostly off the
// screens there are now (a screen unplugged since). Keeps the bounds when
// enough of the window, its top edge included, lies on one screen; moves
// and if need be shrinks it onto the first screen otherwise. Never larger
// than the largest screen.
QRect ReachableBounds(const QRect& bounds, const QList<QRect>& screens);
