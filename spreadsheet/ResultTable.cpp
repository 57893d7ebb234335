#include "spreadsheet/ResultTable.h"

#include "data/ClassSummary.h"
#include "data/ColHints.h"
#include "data/SubjectLine.h"

#include <QStringList>

namespace {

constexpr int kIdentityColumns = 4;

struct TSubjectColumn {
    int Line = 0; // in the class's subject lines
    QString Name;
    QString Path; // the headings above it, "Français / Lecture"
};

std::vector<TSubjectColumn> EvaluatedSubjects(const QStringList& lines) {
    std::vector<TSubjectColumn> subjects;
    QStringList ancestors; // by depth
    for (int i = 0; i < int(lines.size()); ++i) {
        const TSubjectLine line = ParseSubjectLine(lines[i], TDepthRule::KeepName);
        const int depth = std::min<int>(line.Depth, int(ancestors.size()));
        ancestors = ancestors.mid(0, depth);
        if (line.Evaluated)
            subjects.push_back({i, line.Name, ancestors.join(QStringLiteral(" / "))});
        ancestors << line.Name;
    }
    return subjects;
}

// Covers the run of equal texts in the row with one heading.
void MergeEqualHeadings(std::vector<TResultCell>& row, int from, int step) {
    int start = from;
    while (start < int(row.size())) {
        TResultCell& first = row[std::size_t(start)];
        if (first.Kind != TResultCell::TKind::Text) {
            start += step;
            continue;
        }
        int next = start + first.Span;
        while (next < int(row.size()) && row[std::size_t(next)].Kind == TResultCell::TKind::Text &&
               row[std::size_t(next)].Text == first.Text) {
            first.Span += row[std::size_t(next)].Span;
            row[std::size_t(next)] = TResultCell();
            next += step;
        }
        start = next;
    }
}

} // namespace

TResultTable BuildResultTable(const TClassNode& schoolClass, const QStringList& levelCaptions) {
    TResultTable table;
    table.Name = schoolClass.Text;
    const QStringList lines = schoolClass.Data ? schoolClass.Data->Lines() : QStringList();
    const std::vector<TSubjectColumn> subjects = EvaluatedSubjects(lines);
    const int subjectCount = int(subjects.size());
    table.ColumnCount = kIdentityColumns + 2 * subjectCount + 1;
    table.FrozenColumns = 2;
    const int remarksColumn = table.ColumnCount - 1;
    auto subjectColumn = [](int subject) {
        return kIdentityColumns + 2 * subject;
    };
    auto newRow = [&table] {
        return std::vector<TResultCell>(std::size_t(table.ColumnCount));
    };

    // The header band: the headings above the subjects when there are any,
    // the subjects, then what each column holds.
    const bool paths = std::any_of(subjects.begin(), subjects.end(),
                                   [](const TSubjectColumn& s) { return !s.Path.isEmpty(); });
    if (paths) {
        auto row = newRow();
        for (int s = 0; s < subjectCount; ++s) {
            if (!subjects[std::size_t(s)].Path.isEmpty())
                row[std::size_t(subjectColumn(s))] =
                    TResultCell::OfText(subjects[std::size_t(s)].Path, TResultStyle::Heading, 2);
        }
        MergeEqualHeadings(row, kIdentityColumns, 2);
        table.Rows.push_back(std::move(row));
    }
    auto names = newRow();
    for (int s = 0; s < subjectCount; ++s)
        names[std::size_t(subjectColumn(s))] =
            TResultCell::OfText(subjects[std::size_t(s)].Name, TResultStyle::Heading, 2);
    table.Rows.push_back(std::move(names));
    auto captions = newRow();
    const QStringList identity = {QStringLiteral("Nom"), QStringLiteral("Prénom"),
                                  QStringLiteral("Date de naissance"), QStringLiteral("Sexe")};
    for (int i = 0; i < kIdentityColumns; ++i)
        captions[std::size_t(i)] = TResultCell::OfText(identity[i], TResultStyle::Heading);
    for (int s = 0; s < subjectCount; ++s) {
        captions[std::size_t(subjectColumn(s))] =
            TResultCell::OfText(QStringLiteral("Niveau"), TResultStyle::Heading);
        captions[std::size_t(subjectColumn(s) + 1)] =
            TResultCell::OfText(QStringLiteral("Note"), TResultStyle::Heading);
    }
    captions[std::size_t(remarksColumn)] =
        TResultCell::OfText(QStringLiteral("Remarques"), TResultStyle::Heading);
    table.Rows.push_back(std::move(captions));
    table.HeaderRows = int(table.Rows.size());

    for (const auto& pupil : schoolClass.Pupils) {
        if (!pupil->Data)
            continue;
        const TPData& record = *pupil->Data;
        auto row = newRow();
        const QStringList texts = {record.Surname(), record.Name(), record.BirthDay(),
                                   record.Sexe()};
        for (int i = 0; i < kIdentityColumns; ++i) {
            if (!texts[i].isEmpty())
                row[std::size_t(i)] = TResultCell::OfText(texts[i]);
        }
        for (int s = 0; s < subjectCount; ++s) {
            const int line = subjects[std::size_t(s)].Line;
            const QString letter = LevelLetter(record.GetLevel(line));
            if (!letter.isEmpty())
                row[std::size_t(subjectColumn(s))] = TResultCell::OfText(letter);
            const double mark = record.GetMark(line);
            if (mark >= 0)
                row[std::size_t(subjectColumn(s) + 1)] = TResultCell::OfNumber(mark);
        }
        if (!record.Lines().isEmpty())
            row[std::size_t(remarksColumn)] = TResultCell::OfText(record.Lines().join(u'\n'));
        table.Rows.push_back(std::move(row));
    }

    // The summary, as the class shows it: pupils at each level, the average.
    table.Rows.push_back(newRow());
    std::vector<TSubjectSummary> summaries;
    summaries.reserve(subjects.size());
    for (const TSubjectColumn& subject : subjects)
        summaries.push_back(SummarizeSubject(schoolClass, subject.Line));
    for (int level = 1; level <= 4; ++level) {
        auto row = newRow();
        QString label = QStringLiteral("Élèves au niveau ") + LevelLetter(level);
        if (const QString caption = levelCaptions.value(level - 1); !caption.isEmpty())
            label += QStringLiteral(" (") + caption + u')';
        row[0] = TResultCell::OfText(label, TResultStyle::Heading);
        for (int s = 0; s < subjectCount; ++s)
            row[std::size_t(subjectColumn(s))] = TResultCell::OfNumber(
                summaries[std::size_t(s)].LevelCounts[std::size_t(level - 1)]);
        table.Rows.push_back(std::move(row));
    }
    auto averages = newRow();
    averages[0] = TResultCell::OfText(QStringLiteral("Moyenne"), TResultStyle::Heading);
    for (int s = 0; s < subjectCount; ++s) {
        if (summaries[std::size_t(s)].MarkCount > 0)
            averages[std::size_t(subjectColumn(s) + 1)] =
                TResultCell::OfNumber(summaries[std::size_t(s)].Average(), TResultStyle::Average);
    }
    table.Rows.push_back(std::move(averages));

    table.ColumnWidths.assign(std::size_t(table.ColumnCount), 7);
    table.ColumnWidths[0] = 20;
    table.ColumnWidths[1] = 16;
    table.ColumnWidths[2] = 17;
    table.ColumnWidths[3] = 14;
    table.ColumnWidths[std::size_t(remarksColumn)] = 50;
    return table;
}
