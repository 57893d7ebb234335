#pragma once

#include <QString>

#include <functional>

// Shows one expected-problem message to the user. The data layer reports
// through it so that the program shows message boxes and tests read the texts.
using TMessageSink = std::function<void(const QString& text)>;
