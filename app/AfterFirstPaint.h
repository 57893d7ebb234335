#pragma once

#include <functional>

class QWidget;

// Runs `work` a moment after the shown window has been drawn for the first
// time: for what the first picture does not need (the task bar's picture,
// the dictionary), which would otherwise compete with it for the processor.
// The window must have been shown.
void RunAfterFirstPaint(QWidget& window, std::function<void()> work);

// The moment: the display server still has to put the window's first
// picture on the screen once the program has drawn it, and on two cores
// work started at once took the processor it needed (the window showed
// about 15 ms later). A quarter of a second is long before anyone types.
constexpr int AfterFirstPaintPauseMs = 250;
