#include "print/SheetLayout.h"

#include "data/ColHints.h"
#include "data/SubjectLine.h"
#include "print/PageRecorder.h"
#include "print/SheetBuilder.h"
#include "print/SheetCanvas.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Set-up values come from the settings file as they were stored; beyond this
// they mean nothing on a page and would only overflow the arithmetic.
constexpr int kOptionLimit = 100000;

int Bounded(int value) {
    return std::clamp(value, -kOptionLimit, kOptionLimit);
}

// The largest count in 0..size for which `fits` holds, `fits` holding up to
// some count and not beyond (a growing prefix's width against a room).
// Searched outward from a guess, then by halves, so that a good guess costs
// two or three measurements of about the fitting part.
template <typename Fits> qsizetype LongestFit(qsizetype size, qsizetype guess, Fits fits) {
    if (size <= 0)
        return 0;
    guess = std::clamp<qsizetype>(guess, 1, size);
    qsizetype good = 0;       // known to fit (nothing always does)
    qsizetype bad = size + 1; // known not to
    if (fits(guess)) {
        good = guess;
        for (qsizetype step = 1; good < size; step *= 2) {
            const qsizetype probe = std::min(size, good + step);
            if (!fits(probe)) {
                bad = probe;
                break;
            }
            good = probe;
        }
    } else {
        bad = guess;
        for (qsizetype step = 1; bad > 1; step *= 2) {
            const qsizetype probe = std::max<qsizetype>(1, bad - step);
            if (fits(probe)) {
                good = probe;
                break;
            }
            bad = probe;
        }
    }
    while (bad - good > 1) {
        const qsizetype middle = good + (bad - good) / 2;
        (fits(middle) ? good : bad) = middle;
    }
    return good;
}

// Where a text `width` wide likely reaches `room`, for texts of even widths.
qsizetype GuessFit(qsizetype size, int width, int room) {
    return width > 0 ? qsizetype(double(size) * std::max(room, 0) / width) : size;
}

} // namespace

TSheetGeometry MeasureSheet(const TPageRecorder& recorder, TSheetCanvas& canvas,
                            const TSheetOptions& options, QSize crossSize) {
    TSheetGeometry g;
    g.ProbeHeight = canvas.TextHeight(u"Ag[_|^~#,`"_s) + 4;
    if (g.ProbeHeight <= 4)
        g.ProbeHeight = 0;
    // Rows always move down the page, whatever row height was stored.
    g.RowHeight =
        std::max(1, std::max(g.ProbeHeight, crossSize.height()) + Bounded(options.RowHeight) + 1);
    g.LevelWidth =
        std::max(canvas.TextWidth(u" X "_s), crossSize.width()) + Bounded(options.ColWidth) + 1;
    g.MarkWidth = std::max(canvas.TextWidth(u"00.00"_s), canvas.TextWidth(u"Note"_s)) +
                  Bounded(options.MarkColWidth) + 1;
    const int left = recorder.MarginLeft();
    const int right = recorder.MarginRight();
    g.SubjectWidth =
        (recorder.PaperWidth() - left - right) - right - 4 * g.LevelWidth - g.MarkWidth;
    g.X0 = left + 5;
    g.FrameLeft = left;
    g.FrameRight = recorder.PaperWidth() - 2 * right;
    g.BottomLimit = recorder.PaperHeight() - 2 * recorder.MarginBottom();
    return g;
}

TSheetLayout::TSheetLayout(TPageRecorder& recorder, TSheetCanvas& canvas,
                           const TSheetOptions& options, QSize crossSize)
    : Recorder(recorder)
    , Canvas(canvas) {
    Recorder.SetMarginLeft(Bounded(options.LeftMargin) + 50);
    Recorder.BeginDoc();
    G = MeasureSheet(Recorder, Canvas, options, crossSize);
    Y = Recorder.MarginTop();
}

void TSheetLayout::DrawText(QPoint at, const QRect& cell, const QString& text) {
    if (!text.isEmpty())
        Canvas.DrawText(at, cell, text);
}

void TSheetLayout::DrawPicture(const QRect& target, const QImage& picture) {
    Canvas.DrawPicture(target, picture);
}

void TSheetLayout::PrintLines(QStringList lines) {
    // The margins rather than the page bounds' rectangle: the text runs up
    // to the right margin itself.
    const int left = Recorder.MarginLeft();
    const int right = Recorder.PaperWidth() - Recorder.MarginRight();
    const int room = right - left;
    const int rh = G.RowHeight;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (Y + rh > G.BottomLimit) {
            Recorder.NewPage();
            Y = Recorder.MarginTop();
        }
        QString line = lines.at(i);
        // A line keeps at least its first character, drawn clipped when even
        // that does not fit, so that every character is still printed and
        // the splitting ends; where nothing at all can show, the line is left
        // whole rather than spread over pages of empty rows.
        if (room > 0 && line.size() > 1) {
            if (const int width = Canvas.TextWidth(line); width > room) {
                const qsizetype keep = std::max<qsizetype>(
                    1,
                    LongestFit(line.size(), GuessFit(line.size(), width, room), [&](qsizetype n) {
                        return Canvas.TextWidth(line.left(n)) <= room;
                    }));
                lines.insert(i + 1, line.mid(keep));
                line.truncate(keep);
            }
        }
        DrawText({left, Y}, SheetRect(left, Y, right, Y + rh), line);
        Y += rh;
    }
}

void TSheetLayout::BeginTable() {
    const int y0 = Y;
    FrameTop = y0;
    const int top = y0 + 5;
    const int bottom = y0 + G.RowHeight + 10;
    DrawText({G.X0, top}, SheetRect(G.X0, top, G.X0 + G.SubjectWidth, bottom), u"MATIERES"_s);
    for (int level = 1; level <= 4; ++level) {
        const QString letter = LevelLetter(level);
        const int column = G.LevelLeft(level);
        const int x = column + (G.LevelWidth - Canvas.TextWidth(letter)) / 2;
        DrawText({x, top}, SheetRect(column, top, column + G.LevelWidth, bottom), letter);
    }
    DrawText({G.XNote() + G.MarkInset, top},
             SheetRect(G.XNote(), top, G.XNote() + G.MarkWidth, bottom), u"Note"_s);
    Canvas.DrawLine({G.FrameLeft, bottom}, {G.FrameRight, bottom});
    Y = y0 + G.RowHeight + 20;
}

int TSheetLayout::NextRow() {
    if (Y + G.RowHeight > G.BottomLimit)
        BreakPage();
    const int top = Y;
    Y += G.RowHeight;
    return top;
}

void TSheetLayout::DrawComment(const QString& text) {
    constexpr double kCommentScale = 0.8;
    Canvas.SetTextScale(kCommentScale);
    const int lineHeight = std::max(1, Canvas.TextHeight(u"Ag[_|^~#,`"_s) + 2);
    const int left = G.X0 + 2 * Canvas.TextWidth(u"_"_s);
    const int right = G.XNote() + G.MarkWidth;
    const int room = right - left;
    // Greedy, word by word; a word wider than the room is cut anywhere.
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (line.isEmpty() || Canvas.TextWidth(longer) <= room) {
            line = longer;
        } else {
            lines << line;
            line = word;
        }
        while (line.size() > 1 && Canvas.TextWidth(line) > room) {
            qsizetype keep = line.size() - 1;
            while (keep > 1 && Canvas.TextWidth(line.left(keep)) > room)
                --keep;
            lines << line.left(keep);
            line = line.mid(keep);
        }
    }
    if (!line.isEmpty())
        lines << line;
    for (const QString& part : std::as_const(lines)) {
        if (Y + lineHeight > G.BottomLimit) {
            BreakPage();
            Canvas.SetTextScale(kCommentScale);
        }
        DrawText({left, Y}, SheetRect(left, Y, right, Y + lineHeight), part);
        Y += lineHeight;
    }
    Canvas.SetTextScale(1.0);
}

void TSheetLayout::BreakPage() {
    CloseFrame(Y + 5);
    Recorder.NewPage();
    FrameTop = Recorder.MarginTop();
    G.FrameLeft = Recorder.MarginLeft();
    Y = Recorder.MarginTop() + 5;
}

void TSheetLayout::EndTable() {
    CloseFrame(Y + 5);
    Y += 10;
}

void TSheetLayout::CloseFrame(int bottom) {
    const QPoint topLeft(G.FrameLeft, FrameTop);
    const QPoint bottomLeft(G.FrameLeft, bottom);
    const QPoint bottomRight(G.FrameRight, bottom);
    const QPoint topRight(G.FrameRight, FrameTop);
    Canvas.DrawLine(topLeft, bottomLeft);
    Canvas.DrawLine(bottomLeft, bottomRight);
    Canvas.DrawLine(bottomRight, topRight);
    Canvas.DrawLine(topRight, topLeft);
}

bool TSheetLayout::DrawSubjectCell(const QString& line, int top) {
    if (line.isEmpty())
        return true;
    const TSubjectLine subject = ParseSubjectLine(line, TDepthRule::KeepName);
    const int left = G.X0 + (subject.Depth > 0 ? subject.Depth * Canvas.TextWidth(u"_"_s) : 0);
    QString text = subject.Name;
    // Cut to the whole subject column, whatever the indentation: the cell's
    // clip hides what an indented name still lacks.
    const int room = G.SubjectWidth;
    if (const int width = Canvas.TextWidth(text); width > room) {
        const QString ellipsis = u"..."_s;
        const qsizetype guess = GuessFit(text.size(), width, room - Canvas.TextWidth(ellipsis));
        const qsizetype keep = LongestFit(text.size(), guess, [&](qsizetype n) {
            return Canvas.TextWidth(text.left(n) + ellipsis) <= room;
        });
        text.truncate(std::max<qsizetype>(keep, 1));
        text += ellipsis;
    }
    DrawText({left, top}, SheetRect(left, top, G.X0 + room, top + G.RowHeight), text);
    return subject.Evaluated;
}

int TSheetLayout::Gap() const {
    return std::max(1, Canvas.TextWidth(u" "_s));
}

void TSheetLayout::FitColumns(const QStringList& levelTexts, const QStringList& markTexts) {
    const int gap = Gap();
    auto widest = [this](const QStringList& texts, int from) {
        for (const QString& text : texts)
            from = std::max(from, Canvas.TextWidth(text));
        return from;
    };
    QStringList letters;
    for (int level = 1; level <= 4; ++level)
        letters << LevelLetter(level);
    // A figure centred in its column keeps half a gap on each side, so two
    // neighbours stand a whole gap apart.
    G.LevelWidth = std::max(G.LevelWidth, widest(levelTexts, widest(letters, 0)) + gap);
    // The mark column's texts start half a gap in and end half a gap before
    // the frame's right line, where the column now ends.
    G.MarkInset = gap / 2;
    G.MarkWidth = std::max(G.MarkWidth, widest(markTexts, Canvas.TextWidth(u"Note"_s)) + gap);
    G.SubjectWidth = G.FrameRight - G.X0 - 4 * G.LevelWidth - G.MarkWidth;
}

void TSheetLayout::DrawInLevelColumn(int level, int top, const QString& text) {
    if (text.isEmpty())
        return;
    const int column = G.LevelLeft(level);
    const int x = column + (G.LevelWidth - Canvas.TextWidth(text)) / 2;
    DrawText({x, top}, SheetRect(column, top, column + G.LevelWidth, top + G.RowHeight), text);
}

void TSheetLayout::DrawInMarkColumn(int top, const QString& text) {
    const int left = G.XNote();
    DrawText({left + G.MarkInset, top}, SheetRect(left, top, left + G.MarkWidth, top + G.RowHeight),
             text);
}

QRect TSheetLayout::LevelSquare(int level, int top, int inset) const {
    const int column = G.LevelLeft(level);
    int left = column + 1;
    int right = column + G.LevelWidth - 2;
    int upper = top + 1;
    int lower = top + G.ProbeHeight - 2;
    const int w = right - left;
    const int h = lower - upper;
    if (w < h) {
        upper += (h - w) / 2;
        lower -= (h - w) / 2;
    } else {
        left += (w - h) / 2;
        right -= (w - h) / 2;
    }
    // A square too small for the inset keeps its centre point.
    inset = std::clamp(inset, 0, std::min(right - left, lower - upper) / 2);
    return SheetRect(left + inset, upper + inset, right - inset, lower - inset);
}
