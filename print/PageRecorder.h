#pragma once

#include <QFont>
#include <QRect>

class QPainter;

// What the sheet builders draw into: a store of pages recorded one after the
// other, in page units (tenths of a millimetre, origin at the paper's top-left
// corner, y downward). The print preview is one; tests give their own.
class TPageRecorder {
public:
    virtual ~TPageRecorder() = default;

    virtual int PaperWidth() const = 0;
    virtual int PaperHeight() const = 0;
    virtual int MarginLeft() const = 0;
    // Raised to the minimum margin by the recorder.
    virtual void SetMarginLeft(int value) = 0;
    virtual int MarginRight() const = 0;
    virtual int MarginTop() const = 0;
    virtual int MarginBottom() const = 0;
    // (MarginLeft, MarginTop) to (PaperWidth - MarginRight, PaperHeight - MarginBottom).
    virtual QRect PageBounds() const = 0;

    // Discards the stored document and opens its first page.
    virtual void BeginDoc() = 0;
    // Closes the open page into the store and opens a fresh one.
    virtual void NewPage() = 0;
    // Closes the open page; the document is complete.
    virtual void EndDoc() = 0;
    // The open page's painter, in page units, with the page font set; null
    // when no page is open.
    virtual QPainter* Canvas() = 0;
    // The font every new page starts with.
    virtual QFont Font() const = 0;
};
