#include "data/ClassStatistics.h"

#include "data/ClassSummary.h"
#include "data/SubjectLine.h"

#include <algorithm>

namespace {

double MedianOf(std::vector<double> marks) {
    if (marks.empty())
        return NoMark;
    const std::size_t middle = marks.size() / 2;
    std::nth_element(marks.begin(), marks.begin() + std::ptrdiff_t(middle), marks.end());
    const double upper = marks[middle];
    if (marks.size() % 2 != 0)
        return upper;
    const double lower = *std::max_element(marks.begin(), marks.begin() + std::ptrdiff_t(middle));
    return (lower + upper) / 2;
}

} // namespace

std::array<int, 4> RoundedPercents(const std::array<int, 4>& counts) {
    std::array<int, 4> percents{};
    long long total = 0;
    for (int count : counts)
        total += std::max(count, 0);
    if (total == 0)
        return percents;
    std::array<long long, 4> remainders{};
    int given = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const long long scaled = std::max(counts[i], 0) * 100LL;
        percents[i] = int(scaled / total);
        remainders[i] = scaled % total;
        given += percents[i];
    }
    std::array<std::size_t, 4> order{0, 1, 2, 3};
    std::stable_sort(order.begin(), order.end(), [&remainders](std::size_t a, std::size_t b) {
        return remainders[a] > remainders[b];
    });
    for (std::size_t i = 0; given < 100 && i < order.size(); ++i, ++given)
        ++percents[order[i]];
    return percents;
}

std::vector<TSubjectStatistics> ClassStatistics(const TClassNode& schoolClass) {
    std::vector<TSubjectStatistics> result;
    if (!schoolClass.Data)
        return result;
    const QStringList& lines = schoolClass.Data->Lines();
    result.reserve(std::size_t(lines.size()));
    std::vector<double> marks;
    for (int i = 0; i < int(lines.size()); ++i) {
        const TSubjectLine line = ParseSubjectLine(lines[i]);
        TSubjectStatistics subject;
        subject.Name = line.Name;
        subject.Depth = line.Depth;
        subject.Evaluated = line.Evaluated;
        if (line.Evaluated) {
            const TSubjectSummary summary = SummarizeSubject(schoolClass, i);
            subject.LevelCounts = summary.LevelCounts;
            subject.MarkCount = summary.MarkCount;
            subject.Average = summary.Average();
            marks.clear();
            for (const auto& pupil : schoolClass.Pupils) {
                if (pupil->Data && pupil->Data->GetMark(i) >= 0)
                    marks.push_back(pupil->Data->GetMark(i));
            }
            subject.Median = MedianOf(marks);
        }
        result.push_back(std::move(subject));
    }
    return result;
}
