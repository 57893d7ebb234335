#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class TPageRecorder;
class TSheetCanvas;
struct TSheetOptions;

// The sizes and positions a sheet is laid out by, in page units.
struct TSheetGeometry {
    int ProbeHeight = 0;
    int RowHeight = 0;
    int LevelWidth = 0;
    int MarkWidth = 0;
    int SubjectWidth = 0;
    int X0 = 0;
    int FrameLeft = 0;
    int FrameRight = 0;
    int BottomLimit = 0;
    // How far right of its column's left edge the mark column's texts start.
    int MarkInset = 0;

    // The left edge of a level column (1 to 4); 5 gives the mark column.
    int LevelLeft(int level) const { return X0 + SubjectWidth + (level - 1) * LevelWidth; }
    int XNote() const { return LevelLeft(5); }
};

// Measures the open page: the recorder's margins (the left one already set),
// the canvas's page font, the set-up values and the cross picture's size.
TSheetGeometry MeasureSheet(const TPageRecorder& recorder, TSheetCanvas& canvas,
                            const TSheetOptions& options, QSize crossSize);

// The steps both sheets share, with the working position y running down the
// pages: it sets the left margin, opens the document and measures on its
// first page; the builder closes the document.
class TSheetLayout {
public:
    TSheetLayout(TPageRecorder& recorder, TSheetCanvas& canvas, const TSheetOptions& options,
                 QSize crossSize);

    const TSheetGeometry& Geometry() const { return G; }

    // For the class sheet: widens the level and mark columns to their widest
    // text with a clear gap between columns, and lays them out from the
    // frame's right line inward so that nothing crosses it. Before the table.
    void FitColumns(const QStringList& levelTexts, const QStringList& markTexts);
    // The least room kept between two figures, and between a figure and a
    // column's edge mark: the width of a blank.
    int Gap() const;

    // Prints the lines one per row between the margins, splitting at any
    // character a line too wide for them, on new pages as needed.
    void PrintLines(QStringList lines);

    // The header row and its rule, at the working position.
    void BeginTable();
    // The top of the next row, on a new page (framed apart, without header)
    // when the row would reach below the bottom limit.
    int NextRow();
    // Closes the frame below the last row.
    void EndTable();
    // A comment under the row just drawn, in smaller type across the subject
    // and level columns, on as many lines as it needs (split between words),
    // each of which may go on a new page as a row does.
    void DrawComment(const QString& text);

    // Draws the name of a subject line in its row; false for a heading,
    // whose row has no evaluation cells.
    bool DrawSubjectCell(const QString& line, int top);
    // The square a level's mark or count is drawn in, on the row at top,
    // moved in from every side by `inset`.
    QRect LevelSquare(int level, int top, int inset = 0) const;
    // The text centred in a level column, on the row at top.
    void DrawInLevelColumn(int level, int top, const QString& text);
    // The text in the mark column, on the row at top.
    void DrawInMarkColumn(int top, const QString& text);

    // Texts go to the canvas only when there is something to draw.
    void DrawText(QPoint at, const QRect& cell, const QString& text);
    void DrawPicture(const QRect& target, const QImage& picture);

private:
    void CloseFrame(int bottom);
    // Closes the frame on this page and goes on at the top of the next.
    void BreakPage();

    TPageRecorder& Recorder;
    TSheetCanvas& Canvas;
    TSheetGeometry G;
    int Y = 0;
    int FrameTop = 0;
};
