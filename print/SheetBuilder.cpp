#include "print/SheetBuilder.h"

#include "data/NumberFormat.h"
#include "data/PData.h"
#include "print/PageRecorder.h"
#include "print/SheetCanvas.h"
#include "print/SheetLayout.h"
#include "print/SheetSource.h"
#include "widgets/CrossPicture.h"

using namespace Qt::StringLiterals;

namespace {

QString EvaluationDate(const TSheetSource& source) {
    return u"Evaluation au "_s + source.Regional().FormatDate(source.Today());
}

// "(A = acquis; B = ...; ? = ...)", from the grid's level hints.
QString Legend(const TColHints& hints) {
    QStringList parts;
    for (int level = 1; level <= 4; ++level)
        parts << LevelHint(hints, level);
    return u'(' + parts.join(u"; "_s) + u')';
}

void DrawLevelMark(TSheetLayout& layout, int level, int top, const QImage& cross) {
    // A level no column stands for, as a damaged file may hold, gets no mark
    // rather than a guess at one.
    if (level < 1 || level > 4)
        return;
    // Moved in from the column's edges, so that a cross in the last level
    // column keeps clear of the mark beside it.
    const QRect square = layout.LevelSquare(level, top, layout.Gap() / 2);
    if (!cross.isNull())
        layout.DrawPicture(square, cross);
    else
        layout.DrawText(square.topLeft() + QPoint(1, 1), square, u" X "_s);
}

} // namespace

void BuildPupilSheet(TPageRecorder& preview, TSheetCanvas& canvas, const TSheetSource& source,
                     const TPData& pupil, const TPData& schoolClass, const TSheetOptions& options) {
    TCrossPicture cross;
    cross.SetPicture(source.CrossPicture());
    const QImage& crossImage = cross.Tinted(Qt::black);
    TSheetLayout layout(preview, canvas, options, cross.Picture().size());
    if (options.DrawTitle) {
        layout.PrintLines({pupil.Surname() + u' ' + pupil.Name() + u" (né(e) le "_s +
                               pupil.BirthDay() + u"); "_s + u"Classe : "_s + pupil.ClassName(),
                           EvaluationDate(source), QString()});
    }
    layout.BeginTable();
    const QChar separator = source.Regional().DecimalSeparator;
    const QStringList& subjects = schoolClass.Lines();
    for (int j = 0; j < subjects.size(); ++j) {
        const int top = layout.NextRow();
        if (!layout.DrawSubjectCell(subjects.at(j), top))
            continue;
        DrawLevelMark(layout, pupil.GetLevel(j), top, crossImage);
        const double mark = pupil.GetMark(j);
        if (mark > NoMark)
            layout.DrawInMarkColumn(top, FormatFixed(mark, 4, 1, separator));
        if (const QString& comment = pupil.GetComment(j); !comment.isEmpty())
            layout.DrawComment(comment);
    }
    layout.EndTable();
    if (options.DrawRemarks) {
        QStringList lines{Legend(source.ColumnHints()), QString(), u"REMARQUES :"_s};
        lines += pupil.Lines();
        layout.PrintLines(lines);
    }
    preview.EndDoc();
}

void BuildClassSheet(TPageRecorder& preview, TSheetCanvas& canvas, const TSheetSource& source,
                     const TSheetOptions& options) {
    TSheetLayout layout(preview, canvas, options, source.CrossPicture().size());
    const TPData* schoolClass = source.SelectedClass();
    const QString className = schoolClass ? schoolClass->ClassName() : QString();
    const QStringList subjects = schoolClass ? schoolClass->Lines() : QStringList();
    // Counts of ten and more and averages such as "12,24" need more room
    // than the pupil sheet's crosses and marks.
    QStringList counts;
    QStringList averages;
    for (int j = 0; j < subjects.size(); ++j) {
        for (int level = 1; level <= 4; ++level)
            counts << source.GridText(level, j + 1);
        averages << source.GridText(5, j + 1);
    }
    layout.FitColumns(counts, averages);
    if (options.DrawTitle) {
        layout.PrintLines({u"Classe : "_s + className + u" ("_s + source.StatusText(3) + u"; "_s +
                               source.StatusText(2) + u')',
                           EvaluationDate(source), QString()});
    }
    layout.BeginTable();
    for (int j = 0; j < subjects.size(); ++j) {
        const int top = layout.NextRow();
        if (!layout.DrawSubjectCell(subjects.at(j), top))
            continue;
        for (int level = 1; level <= 4; ++level)
            layout.DrawInLevelColumn(level, top, counts.at(j * 4 + level - 1));
        layout.DrawInMarkColumn(top, averages.at(j));
    }
    layout.EndTable();
    preview.EndDoc();
}

void BuildPupilSheet(TPageRecorder& preview, const TSheetSource& source, const TPData& pupil,
                     const TPData& schoolClass, const TSheetOptions& options) {
    TPainterCanvas canvas(preview);
    BuildPupilSheet(preview, canvas, source, pupil, schoolClass, options);
}

void BuildClassSheet(TPageRecorder& preview, const TSheetSource& source,
                     const TSheetOptions& options) {
    TPainterCanvas canvas(preview);
    BuildClassSheet(preview, canvas, source, options);
}
