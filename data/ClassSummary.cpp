#include "data/ClassSummary.h"

TSubjectSummary SummarizeSubject(const TClassNode& schoolClass, int subject) {
    TSubjectSummary summary;
    for (const auto& pupil : schoolClass.Pupils) {
        if (!pupil->Data)
            continue;
        const int level = pupil->Data->GetLevel(subject);
        if (level >= 1 && level <= 4)
            ++summary.LevelCounts[std::size_t(level - 1)];
        const double mark = pupil->Data->GetMark(subject);
        if (mark >= 0) {
            ++summary.MarkCount;
            summary.MarkSum += mark;
        }
    }
    return summary;
}
