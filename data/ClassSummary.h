#pragma once

#include "data/Workspace.h"

#include <array>

// How a class's pupils did in one subject: how many reached each level 1 to
// 4 (other levels are not counted) and the average of the marks given.
struct TSubjectSummary {
    std::array<int, 4> LevelCounts{};
    int MarkCount = 0;
    double MarkSum = 0;

    double Average() const { return MarkCount > 0 ? MarkSum / MarkCount : NoMark; }
};

TSubjectSummary SummarizeSubject(const TClassNode& schoolClass, int subject);
