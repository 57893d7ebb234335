#pragma once

#include "data/Workspace.h"

#include <QString>

#include <array>
#include <vector>

// Where a class stands in one subject line. For a heading (a line that is
// not evaluated) only the name and depth mean something.
struct TSubjectStatistics {
    QString Name;
    int Depth = 0;
    bool Evaluated = true;
    std::array<int, 4> LevelCounts{}; // pupils at A, B, C and "?"
    int MarkCount = 0;
    double Average = NoMark;
    double Median = NoMark;

    int LevelTotal() const {
        return LevelCounts[0] + LevelCounts[1] + LevelCounts[2] + LevelCounts[3];
    }
    // The part of the pupils counted at the level (0 to 3), from 0 to 1.
    double Share(int level) const {
        const int total = LevelTotal();
        return total > 0 ? double(LevelCounts[std::size_t(level)]) / total : 0.0;
    }
};

// The counts as whole percentages that add up to 100 (the largest
// remainders take the points rounding down leaves over, the earlier level
// first on a tie); all 0 when there is no count.
std::array<int, 4> RoundedPercents(const std::array<int, 4>& counts);

// One entry per subject line of the class, in order.
std::vector<TSubjectStatistics> ClassStatistics(const TClassNode& schoolClass);
