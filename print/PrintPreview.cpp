#include "print/PrintPreview.h"

#include "print/PageReplay.h"
#include "print/PaperPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>

#include <stdexcept>

namespace {

constexpr int kSmallStep = 8;
// Larger pages (from about 300 % up) are replayed at each repaint rather
// than kept: 12 million pixels is 48 MB.
constexpr qint64 kMostPixelsKept = 12'000'000;

} // namespace

TPrintPreview::TPrintPreview(QWidget* parent)
    : QFrame(parent)
    , FHorzBar(new QScrollBar(Qt::Horizontal, this))
    , FVertBar(new QScrollBar(Qt::Vertical, this))
    , FContainer(new QWidget(this))
    , FPaper(new TPaperPreview(FContainer)) {
    setObjectName(QStringLiteral("PrintPreview"));
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    FHorzBar->setObjectName(QStringLiteral("HorzScrollBar"));
    FVertBar->setObjectName(QStringLiteral("VertScrollBar"));
    FContainer->setObjectName(QStringLiteral("PaperContainer"));
    for (QScrollBar* bar : {FHorzBar, FVertBar}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(kSmallStep);
        bar->setRange(0, 0);
    }
    connect(FHorzBar, &QScrollBar::valueChanged, this, [this](int position) {
        if (FHorzBar->maximum() > 0)
            FPaper->move(PaperGap - position, FPaper->y());
    });
    connect(FVertBar, &QScrollBar::valueChanged, this, [this](int position) {
        if (FVertBar->maximum() > 0)
            FPaper->move(FPaper->x(), PaperGap - position);
    });
    FPaper->OnPaint = [this](QPainter& painter, const QRect& pageRect) {
        PaintPage(painter, pageRect);
    };
    FPaper->hide();
    FStore.OnChange = [this] {
        StoreChanged();
    };
    UpdatePixelSizes();
    Relayout();
}

TPrintPreview::~TPrintPreview() {
    // No notice of the pages freed with the component.
    FStore.OnChange = nullptr;
}

void TPrintPreview::SetPaperWidth(int value) {
    if (!FStore.SetPaperWidth(value))
        return;
    UpdatePixelSizes();
    Relayout();
}

void TPrintPreview::SetPaperHeight(int value) {
    if (!FStore.SetPaperHeight(value))
        return;
    UpdatePixelSizes();
    Relayout();
}

void TPrintPreview::SetOrientation(QPageLayout::Orientation value) {
    if (value == FOrientation || FStore.State() == TPageStore::TState::Recording)
        return;
    FOrientation = value;
    const int width = FStore.PaperWidth();
    FStore.SetPaperWidth(FStore.PaperHeight());
    FStore.SetPaperHeight(width);
    UpdatePixelSizes();
    Relayout();
}

void TPrintPreview::SetResulotion(int value) {
    if (value == FResolution || value <= 0)
        return;
    FResolution = value;
    UpdatePixelSizes();
}

void TPrintPreview::UpdatePixelSizes() {
    ForgetPageImage();
    FPaperPixels = QSize(UnitsToPixels(FStore.PaperWidth(), FStore.Units(), FResolution),
                         UnitsToPixels(FStore.PaperHeight(), FStore.Units(), FResolution));
}

void TPrintPreview::StoreChanged() {
    ForgetPageImage();
    const int total = FStore.TotalPages();
    if (total == 0) {
        FCurrentPage = 0;
        FPaper->hide();
    } else if (FCurrentPage == 0) {
        FCurrentPage = 1;
        FPaper->show();
    }
    FPaper->update();
    Q_EMIT Changed();
}

void TPrintPreview::SetCurrentPage(int value) {
    const int total = FStore.TotalPages();
    if (total == 0)
        return;
    value = std::clamp(value, 1, total);
    if (value == FCurrentPage)
        return;
    FCurrentPage = value;
    FPaper->update();
    Q_EMIT Changed();
}

void TPrintPreview::SetZoom(int value) {
    if (value == FZoom && FZoomState == TZoomState::zsZoomOther)
        return;
    FZoom = value;
    FZoomState = TZoomState::zsZoomOther;
    Relayout();
}

void TPrintPreview::SetZoomState(TZoomState value) {
    if (value == FZoomState)
        return;
    FZoomState = value;
    Relayout();
}

void TPrintPreview::PlaceChildren() {
    const QRect area = contentsRect();
    const int barWidth = FVertBar->sizeHint().width();
    const int barHeight = FHorzBar->sizeHint().height();
    const int right = FVertBar->isVisibleTo(this) ? barWidth : 0;
    const int bottom = FHorzBar->isVisibleTo(this) ? barHeight : 0;
    FContainer->setGeometry(area.adjusted(0, 0, -right, -bottom));
    FVertBar->setGeometry(area.right() - barWidth + 1, area.top(), barWidth,
                          area.height() - bottom);
    FHorzBar->setGeometry(area.left(), area.bottom() - barHeight + 1, area.width() - right,
                          barHeight);
    FHorzBar->setPageStep(std::max(1, FContainer->width()));
    FVertBar->setPageStep(std::max(1, FContainer->height()));
}

void TPrintPreview::Relayout() {
    for (QScrollBar* bar : {FHorzBar, FVertBar}) {
        bar->setValue(0);
        bar->setRange(0, 0);
    }
    const bool horz =
        FZoomState == TZoomState::zsZoomOther || FZoomState == TZoomState::zsZoomToHeight;
    const bool vert =
        FZoomState == TZoomState::zsZoomOther || FZoomState == TZoomState::zsZoomToWidth;
    FHorzBar->setVisible(horz);
    FVertBar->setVisible(vert);
    PlaceChildren();

    const int containerWidth = FContainer->width();
    const int containerHeight = FContainer->height();
    const int pixelWidth = std::max(1, FPaperPixels.width());
    const int pixelHeight = std::max(1, FPaperPixels.height());
    auto toWidth = [&] {
        FPaper->resize(containerWidth - 2 * PaperGap, FPaper->height());
        FPaper->SetPaperHeight(MulDiv(FPaper->PaperWidth(), pixelHeight, pixelWidth));
    };
    auto toHeight = [&] {
        FPaper->resize(FPaper->width(), containerHeight - 2 * PaperGap);
        FPaper->SetPaperWidth(MulDiv(FPaper->PaperHeight(), pixelWidth, pixelHeight));
    };
    switch (FZoomState) {
    case TZoomState::zsZoomOther: {
        const int screenX = logicalDpiX();
        const int screenY = logicalDpiY();
        FPaper->SetPaperWidth(
            int(std::int64_t(pixelWidth) * screenX * FZoom / (std::int64_t(FResolution) * 100)));
        FPaper->SetPaperHeight(
            int(std::int64_t(pixelHeight) * screenY * FZoom / (std::int64_t(FResolution) * 100)));
        break;
    }
    case TZoomState::zsZoomToWidth:
        toWidth();
        break;
    case TZoomState::zsZoomToHeight:
        toHeight();
        break;
    case TZoomState::zsZoomToFit:
        if (double(containerHeight) / std::max(1, containerWidth) >
            double(pixelHeight) / pixelWidth)
            toWidth();
        else
            toHeight();
        break;
    }

    int left = PaperGap;
    if (FPaper->width() < containerWidth - 2 * PaperGap)
        left = (containerWidth - FPaper->width()) / 2;
    else
        FHorzBar->setMaximum(FPaper->width() - containerWidth + 2 * PaperGap);
    int top = PaperGap;
    if (FPaper->height() < containerHeight - 2 * PaperGap)
        top = (containerHeight - FPaper->height()) / 2;
    else
        FVertBar->setMaximum(FPaper->height() - containerHeight + 2 * PaperGap);
    FHorzBar->setVisible(FHorzBar->maximum() != 0);
    FVertBar->setVisible(FVertBar->maximum() != 0);
    PlaceChildren();
    // A bar hidden above widens the container: a centred paper is centred
    // in what the container has become.
    if (FHorzBar->maximum() == 0 && left != PaperGap)
        left = (FContainer->width() - FPaper->width()) / 2;
    if (FVertBar->maximum() == 0 && top != PaperGap)
        top = (FContainer->height() - FPaper->height()) / 2;
    FPaper->move(left, top);
    FPaper->update();
}

void TPrintPreview::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    Relayout();
}

void TPrintPreview::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier) {
        const bool ctrl = modifiers == Qt::ControlModifier;
        auto step = [ctrl](const QScrollBar* bar) {
            return ctrl ? bar->pageStep() : bar->singleStep();
        };
        QScrollBar* bar = ctrl ? FVertBar : FHorzBar;
        switch (event->key()) {
        case Qt::Key_Home:
            bar->setValue(bar->minimum());
            break;
        case Qt::Key_End:
            bar->setValue(bar->maximum());
            break;
        case Qt::Key_Left:
            FHorzBar->setValue(FHorzBar->value() + step(FHorzBar));
            break;
        case Qt::Key_Right:
            FHorzBar->setValue(FHorzBar->value() - step(FHorzBar));
            break;
        case Qt::Key_Up:
            FVertBar->setValue(FVertBar->value() - step(FVertBar));
            break;
        case Qt::Key_Down:
            FVertBar->setValue(FVertBar->value() + step(FVertBar));
            break;
        case Qt::Key_PageUp:
            SetCurrentPage(ctrl ? 1 : FCurrentPage - 1);
            break;
        case Qt::Key_PageDown:
            SetCurrentPage(ctrl ? TotalPages() : FCurrentPage + 1);
            break;
        default:
            break;
        }
    }
    QFrame::keyPressEvent(event);
}

void TPrintPreview::ForgetPageImage() {
    FPageImage = QImage();
    FPageImagePage = 0;
}

void TPrintPreview::PaintPage(QPainter& painter, const QRect& pageRect) {
    const QPicture* page = FStore.Page(FCurrentPage);
    if (!page)
        return;
    const QSize paper(PaperWidth(), PaperHeight());
    const QPaintDevice* device = painter.device();
    const qreal ratio = device ? device->devicePixelRatio() : 1.0;
    auto tooBig = [ratio](const QSize& size) {
        return qint64(size.width() * ratio) * qint64(size.height() * ratio) > kMostPixelsKept;
    };
    // A page too large to keep whole (a high zoom) is kept around what is
    // painted, a window's size each way, so that a scroll still copies.
    const QRect needed =
        painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect() & pageRect : pageRect;
    QRect keep = pageRect;
    if (tooBig(keep.size())) {
        const QSize around = FContainer->size();
        keep = needed.adjusted(-around.width(), -around.height(), around.width(), around.height()) &
               pageRect;
    }
    if (!device || tooBig(keep.size())) {
        ReplayPage(painter, *page, paper, pageRect);
        return;
    }
    if (FPageImagePage != FCurrentPage || FPageImagePageSize != pageRect.size() ||
        !FPageImageRect.contains(needed) || FPageImage.devicePixelRatio() != ratio ||
        FPageImageColor != FPaper->PaperColor()) {
        FPageImage = QImage(keep.size() * ratio, QImage::Format_RGB32);
        FPageImage.setDevicePixelRatio(ratio);
        // The replay scales by the picture's resolution over the device's:
        // the image takes the screen's, for the page to come out the same.
        FPageImage.setDotsPerMeterX(qRound(device->logicalDpiX() / 0.0254));
        FPageImage.setDotsPerMeterY(qRound(device->logicalDpiY() / 0.0254));
        FPageImage.fill(FPaper->PaperColor());
        QPainter imagePainter(&FPageImage);
        ReplayPage(imagePainter, *page, paper, pageRect.translated(-keep.topLeft()));
        imagePainter.end();
        FPageImagePage = FCurrentPage;
        FPageImagePageSize = pageRect.size();
        FPageImageRect = keep;
        FPageImageColor = FPaper->PaperColor();
    }
    painter.drawImage(FPageImageRect.topLeft(), FPageImage);
}

QPageSize TPrintPreview::PrinterPaper() const {
    const int width = PixelsToUnits(FPaperPixels.width(), TUnits::mmLoMetric, FResolution);
    const int height = PixelsToUnits(FPaperPixels.height(), TUnits::mmLoMetric, FResolution);
    // A landscape paper is asked for as the portrait sheet turned.
    if (FOrientation == QPageLayout::Landscape)
        return PaperPageSize(height, width);
    return PaperPageSize(width, height);
}

bool TPrintPreview::ReportProgress(QPrinter& printer, int page, int printed, int total) {
    bool abortIt = false;
    Q_EMIT PrintProgress(page, MulDiv(printed, 100, total), abortIt);
    return !abortIt && printer.printerState() != QPrinter::Aborted;
}

QString TPrintPreview::PrinterName() {
    const QStringList installed = FPrinters.InstalledNames();
    if (installed.isEmpty())
        return {};
    if (!installed.contains(FPrinterName))
        FPrinterName = FPrinters.DefaultName();
    if (!installed.contains(FPrinterName))
        FPrinterName = installed.first();
    return FPrinterName;
}

void TPrintPreview::PrintPages(int first, int last) {
    if (TotalPages() == 0 || FPrinters.InstalledNames().isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    const QString name = PrinterName();
    printer.setPrinterName(name);
    // Qt takes the default queue for one the system does not know: the
    // sheets would come out of another printer than the one chosen.
    if (printer.printerName() != name) {
        FAborted = true;
        return;
    }
    printer.setDocName(FPrintJobTitle);
    PrintPages(printer, first, last);
}

void TPrintPreview::PrintPages(QPrinter& printer, int first, int last) {
    const int total = TotalPages();
    if (total == 0)
        return;
    first = std::clamp(first, 1, total);
    last = std::clamp(last, 1, total);
    if (first > last || FPrinters.InstalledNames().isEmpty() || !FStore.BeginPrinting())
        return;
    FAborted = false;
    const int count = last - first + 1;
    int printed = 0;

    const bool native = printer.outputFormat() == QPrinter::NativeFormat;
    if (native)
        FPrinterName = printer.printerName();
    printer.setFullPage(true);
    printer.setPageSize(PrinterPaper());
    printer.setPageOrientation(FOrientation);
    QPainter painter;
    // A queue the system does not know would be printed on another one.
    bool aborted = (native && QPrinterInfo::printerInfo(printer.printerName()).isNull()) ||
                   !painter.begin(&printer);
    const QSize paper(PaperWidth(), PaperHeight());
    for (int page = first; page <= last && !aborted; ++page) {
        if (!ReportProgress(printer, page, printed, count)) {
            aborted = true;
            break;
        }
        // The whole physical sheet, so that the page's units are the paper's.
        ReplayPage(painter, *FStore.Page(page), paper,
                   QRect(0, 0, printer.width(), printer.height()));
        ++printed;
        QApplication::processEvents();
        if (!ReportProgress(printer, page, printed, count))
            aborted = true;
        else if (page < last && !printer.newPage())
            aborted = true;
    }
    if (aborted) {
        FAborted = true;
        printer.abort();
    }
    if (painter.isActive())
        painter.end();
    FStore.EndPrinting();
}
