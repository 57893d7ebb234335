#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;
class TPageRecorder;

// The cell from (left, top) to (right, bottom), right and bottom excluded, as
// the sheets' arithmetic counts.
inline QRect SheetRect(int left, int top, int right, int bottom) {
    return {QPoint(left, top), QSize(right - left, bottom - top)};
}

// What the sheets are measured and drawn with, in page units on the
// recorder's open page: texts in the page font, lines, pictures. The layout's
// arithmetic is checked through a canvas whose text widths the test chooses.
class TSheetCanvas {
public:
    virtual ~TSheetCanvas() = default;

    virtual int TextWidth(const QString& text) = 0;
    // The height of the text drawn on one line, without prefix processing.
    virtual int TextHeight(const QString& text) = 0;
    // The text's top-left corner at `at`, clipped to the cell.
    virtual void DrawText(QPoint at, const QRect& cell, const QString& text) = 0;
    virtual void DrawLine(QPoint from, QPoint to) = 0;
    // The picture stretched onto the target.
    virtual void DrawPicture(const QRect& target, const QImage& picture) = 0;
    // Texts measured and drawn from now on at this size of the page font's
    // (1 for the page font itself), until the next page.
    virtual void SetTextScale(double) {}
};

// The recorder's own painter, whichever page is open: a black pen one unit
// wide for lines and text, pictures in black through their transparency.
class TPainterCanvas final : public TSheetCanvas {
public:
    explicit TPainterCanvas(TPageRecorder& recorder)
        : Recorder(recorder) {}

    int TextWidth(const QString& text) override;
    int TextHeight(const QString& text) override;
    void DrawText(QPoint at, const QRect& cell, const QString& text) override;
    void DrawLine(QPoint from, QPoint to) override;
    void DrawPicture(const QRect& target, const QImage& picture) override;
    void SetTextScale(double scale) override;

private:
    // The open page's painter set up for drawing, or null between pages.
    QPainter* Painter();
    // The picture's rows of pixels that are not transparent, one per run.
    static QList<QRect> VisibleRuns(const QImage& picture);

    TPageRecorder& Recorder;
    QList<QRect> Runs;
    qint64 RunsKey = 0;
};
