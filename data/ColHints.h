#pragma once

#include <QString>

#include <array>

// One hint per grid column: the subject names, the levels A, B, C and ?,
// and the mark. They also caption the levels of the printed legend.
using TColHints = std::array<QString, 6>;

const TColHints& DefaultColHints();
