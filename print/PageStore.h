#pragma once

#include "print/PageRecorder.h"
#include "print/PreviewUnits.h"

#include <QPainter>
#include <QPicture>

#include <functional>
#include <memory>
#include <vector>

// A document recorded page by page as vector pictures, in the store's units,
// kept until the next document replaces it. The print preview shows and
// prints one; the PDF export of a whole class records each pupil into one.
class TPageStore : public TPageRecorder {
public:
    enum class TState { Idle, Recording, Printing };

    static constexpr int MinimumMargin = 60;

    TPageStore();
    ~TPageStore() override;

    int PaperWidth() const override { return FPaperWidth; }
    int PaperHeight() const override { return FPaperHeight; }
    // Both true when the size changed.
    bool SetPaperWidth(int value);
    bool SetPaperHeight(int value);
    int MarginLeft() const override { return FMargins[0]; }
    int MarginTop() const override { return FMargins[1]; }
    int MarginRight() const override { return FMargins[2]; }
    int MarginBottom() const override { return FMargins[3]; }
    void SetMarginLeft(int value) override { SetMargin(0, value); }
    void SetMarginTop(int value) { SetMargin(1, value); }
    void SetMarginRight(int value) { SetMargin(2, value); }
    void SetMarginBottom(int value) { SetMargin(3, value); }
    void SetMargins(int value);
    int MinMargin() const { return FMinMargin; }
    QRect PageBounds() const override;

    TUnits Units() const { return FUnits; }
    // Converts the margins, the paper and the font to the new unit through
    // pixels at the resolution.
    void SetUnits(TUnits units, int resolution);

    QFont Font() const override { return FFont; }
    void SetFont(const QFont& font) { FFont = font; }

    // Refused while printing, so that a run in progress keeps its pages.
    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    bool Clear();
    QPainter* Canvas() override;

    TState State() const { return FState; }
    // Marks a print run; false when the store is not idle.
    bool BeginPrinting();
    void EndPrinting();

    int TotalPages() const { return int(FPages.size()); }
    // 1-based; null outside the stored pages.
    const QPicture* Page(int number) const;

    // Called whenever the page set changes.
    std::function<void()> OnChange;

protected:
    // The recorder of a fresh page; null when none can be made.
    virtual std::unique_ptr<QPicture> CreatePicture();

private:
    void SetMargin(int index, int value);
    // Opens a fresh page; throws when none can be made.
    void OpenPage();
    // Appends the open page to the store; throws when it yields no picture.
    void ClosePage();
    void Changed();

    TUnits FUnits = TUnits::mmLoMetric;
    int FPaperWidth = 2100;
    int FPaperHeight = 2970;
    int FMargins[4] = {70, 70, 70, 70};
    int FMinMargin = MinimumMargin;
    QFont FFont;
    TState FState = TState::Idle;
    std::vector<std::unique_ptr<QPicture>> FPages;
    std::unique_ptr<QPicture> FOpenPicture;
    std::unique_ptr<QPainter> FOpenPainter;
};

// The message of a page that cannot be recorded.
QString NewPageError();
