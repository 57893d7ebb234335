#pragma once

#include "print/PageStore.h"
#include "print/Printers.h"

#include <QFrame>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>

class QPrinter;
class QScrollBar;
class TPaperPreview;

enum class TZoomState { zsZoomOther, zsZoomToWidth, zsZoomToHeight, zsZoomToFit };

// The print preview: a page store that the sheet builders record into, a
// viewer that shows one stored page on a sheet of paper at a chosen zoom,
// with scroll bars and keys, and the front end that sends the pages to the
// current printer.
class TPrintPreview : public QFrame, public TPageRecorder {
    Q_OBJECT

public:
    static constexpr int PaperGap = 6;

    explicit TPrintPreview(QWidget* parent = nullptr);
    ~TPrintPreview() override;

    // The page store.
    int PaperWidth() const override { return FStore.PaperWidth(); }
    int PaperHeight() const override { return FStore.PaperHeight(); }
    void SetPaperWidth(int value);
    void SetPaperHeight(int value);
    int MarginLeft() const override { return FStore.MarginLeft(); }
    int MarginRight() const override { return FStore.MarginRight(); }
    int MarginTop() const override { return FStore.MarginTop(); }
    int MarginBottom() const override { return FStore.MarginBottom(); }
    void SetMarginLeft(int value) override { FStore.SetMarginLeft(value); }
    void SetMarginRight(int value) { FStore.SetMarginRight(value); }
    void SetMarginTop(int value) { FStore.SetMarginTop(value); }
    void SetMarginBottom(int value) { FStore.SetMarginBottom(value); }
    QRect PageBounds() const override { return FStore.PageBounds(); }
    QFont Font() const override { return FStore.Font(); }
    void SetFont(const QFont& font) { FStore.SetFont(font); }
    TUnits Units() const { return FStore.Units(); }
    void SetUnits(TUnits units) { FStore.SetUnits(units, FResolution); }

    void BeginDoc() override { FStore.BeginDoc(); }
    void NewPage() override { FStore.NewPage(); }
    void EndDoc() override { FStore.EndDoc(); }
    // Refused (false) while printing.
    bool Clear() { return FStore.Clear(); }
    QPainter* Canvas() override { return FStore.Canvas(); }
    TPageStore::TState State() const { return FStore.State(); }
    const TPageStore& Store() const { return FStore; }

    int TotalPages() const { return FStore.TotalPages(); }
    int CurrentPage() const { return FCurrentPage; }
    void SetCurrentPage(int value);

    // The view.
    int Zoom() const { return FZoom; }
    void SetZoom(int value);
    TZoomState ZoomState() const { return FZoomState; }
    void SetZoomState(TZoomState value);
    QPageLayout::Orientation Orientation() const { return FOrientation; }
    void SetOrientation(QPageLayout::Orientation value);
    int Resulotion() const { return FResolution; }
    void SetResulotion(int value);
    // The paper in pixels at the resolution.
    QSize PaperPixels() const { return FPaperPixels; }

    TPaperPreview& Paper() const { return *FPaper; }
    QWidget& Container() const { return *FContainer; }
    QScrollBar& HorzScrollBar() const { return *FHorzBar; }
    QScrollBar& VertScrollBar() const { return *FVertBar; }

    // Printing on the current printer.
    QString PrintJobTitle() const { return FPrintJobTitle; }
    void SetPrintJobTitle(const QString& value) { FPrintJobTitle = value; }
    void SetPrinters(const TPrinters& printers) { FPrinters = printers; }
    bool PrinterInstalled() const { return !FPrinters.InstalledNames().isEmpty(); }
    // The paper the printer is asked for: the pixel round trip in tenths of
    // a millimetre, a standard size only when it is exactly one.
    QPageSize PrinterPaper() const;
    void Print() { PrintPages(1, TotalPages()); }
    void PrintPages(int first, int last);
    // The range on a printer already chosen and set up (by the system's
    // print dialog: queue, copies, job name); the paper is still the
    // preview's. A native printer must be one the system knows.
    void PrintPages(QPrinter& printer, int first, int last);
    // The queue PrintPages(first, last) prints on: the one used last while
    // it is installed, else the default one.
    QString PrinterName();
    bool Aborted() const { return FAborted; }

Q_SIGNALS:
    // The page set or the current page changed.
    void Changed();
    // Before and after each printed page; setting abortIt stops the run.
    void PrintProgress(int pageNum, int progress, bool& abortIt);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void StoreChanged();
    void UpdatePixelSizes();
    void Relayout();
    void PlaceChildren();
    void PaintPage(QPainter& painter, const QRect& pageRect);
    void ForgetPageImage();
    bool ReportProgress(QPrinter& printer, int page, int printed, int total);

    TPageStore FStore;
    int FCurrentPage = 0;
    int FZoom = 100;
    TZoomState FZoomState = TZoomState::zsZoomToFit;
    QPageLayout::Orientation FOrientation = QPageLayout::Portrait;
    int FResolution = 96;
    QSize FPaperPixels;
    QString FPrintJobTitle;
    TPrinters FPrinters;
    QString FPrinterName;
    bool FAborted = false;
    // The page shown, drawn once at the paper's size on the screen (around
    // what is shown only, at high zooms): a
    // repaint (a scroll, the window uncovered) copies it instead of
    // replaying the page's picture. A new document, another page, another
    // size or paper colour draws it again.
    QImage FPageImage;
    QRect FPageImageRect; // the part of the page it holds, on the paper
    QSize FPageImagePageSize;
    int FPageImagePage = 0;
    QColor FPageImageColor;

    QScrollBar* FHorzBar;
    QScrollBar* FVertBar;
    QWidget* FContainer;
    TPaperPreview* FPaper;
};
