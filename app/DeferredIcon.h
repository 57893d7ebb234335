#pragma once

#include <QIcon>

#include <functional>

// An icon whose drawings are read when it is first drawn or measured, not
// when it is made: the tool bar's pictures, every size of them, would
// otherwise be decoded before the window can show. Every question goes to
// the icon `build` makes then, so it draws exactly as that icon does; that
// icon must not be empty.
QIcon DeferredIcon(std::function<QIcon()> build);
