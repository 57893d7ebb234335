#pragma once

#include <functional>

class QWidget;

// Runs `work` once the shown window has been drawn for the first time: for
// what the first picture does not need (the task bar's picture, the
// dictionary), which would otherwise compete with it for the processor.
// The window must have been shown.
void RunAfterFirstPaint(QWidget& window, std::function<void()> work);
