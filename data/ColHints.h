#pragma once

#include <QString>

#include <array>

// One hint per grid column: the subject names, the levels A, B, C and ?,
// and the mark. They also caption the levels of the printed legend.
using TColHints = std::array<QString, 6>;

const TColHints& DefaultColHints();

// The letter of a level 1 to 4: "A", "B", "C" or "?"; nothing for another value.
QString LevelLetter(int level);
// A level's letter with its hint, "A = acquis"; a hint that names its letter
// already ("? = indéterminé") is given as it is.
QString LevelHint(const TColHints& hints, int level);
