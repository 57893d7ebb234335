#include "print/PageReplay.h"
#include "print/PaperPreview.h"
#include "print/PrintPreview.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

namespace {

// A document of the given number of pages, each carrying a frame along the
// page bounds.
void Record(TPageRecorder& recorder, int pages) {
    recorder.BeginDoc();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            recorder.NewPage();
        recorder.Canvas()->drawRect(recorder.PageBounds());
    }
    recorder.EndDoc();
}

// A store whose recorder fails from a given page on.
class TFailingStore : public TPageStore {
public:
    int PagesLeft = 0;

protected:
    std::unique_ptr<QPicture> CreatePicture() override {
        if (PagesLeft == 0)
            return nullptr;
        --PagesLeft;
        return TPageStore::CreatePicture();
    }
};

// The preview of the print dialog.
void SetUpLikeDialog(TPrintPreview& preview) {
    preview.SetPaperWidth(2101);
    preview.SetPaperHeight(2971);
    for (auto setter : {&TPrintPreview::SetMarginLeft, &TPrintPreview::SetMarginRight,
                        &TPrintPreview::SetMarginTop, &TPrintPreview::SetMarginBottom})
        (preview.*setter)(77);
}

} // namespace

class TPrintPreviewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void PageStore();
    void CurrentPageIsClamped_data();
    void CurrentPageIsClamped();
    void MarginsHaveAMinimum_data();
    void MarginsHaveAMinimum();
    void UnitConversionRounds_data();
    void UnitConversionRounds();
    void PrinterPaper_data();
    void PrinterPaper();
    void PrintingKeepsItsPages();
    void FailedPrintRunIsAborted();
    void NewDocumentAfterARecordingFailure();
    void ZoomLayout_data();
    void ZoomLayout();
    void ZoomSwitchesToOtherEvenWhenUnchanged();
    void Keys_data();
    void Keys();
    void PaperPainting();
    void ReplayFillsTheTarget();
    void ShownPageIsNeverStale();
};

void TPrintPreviewTest::PageStore() {
    TPrintPreview preview;
    QSignalSpy changed(&preview, &TPrintPreview::Changed);
    QCOMPARE(preview.CurrentPage(), 0);
    QVERIFY(preview.Paper().isHidden());
    preview.EndDoc(); // without BeginDoc: nothing
    QCOMPARE(preview.TotalPages(), 0);
    QCOMPARE(changed.count(), 0);
    QVERIFY(preview.Canvas() == nullptr);

    Record(preview, 3);
    QCOMPARE(preview.TotalPages(), 3);
    QCOMPARE(preview.CurrentPage(), 1);
    QVERIFY(!preview.Paper().isHidden());
    QCOMPARE(preview.State(), TPageStore::TState::Idle);
    QVERIFY(preview.Canvas() == nullptr);

    // A second BeginDoc while recording is ignored; a new document replaces
    // the old one.
    changed.clear();
    preview.BeginDoc();
    QVERIFY(changed.count() > 0);
    QCOMPARE(preview.TotalPages(), 0);
    QVERIFY(preview.Canvas() != nullptr);
    QPainter* canvas = preview.Canvas();
    preview.BeginDoc();
    QCOMPARE(preview.Canvas(), canvas);
    preview.EndDoc();
    QCOMPARE(preview.TotalPages(), 1);

    QVERIFY(preview.Clear());
    QCOMPARE(preview.TotalPages(), 0);
    QCOMPARE(preview.CurrentPage(), 0);
    QVERIFY(preview.Paper().isHidden());
}

void TPrintPreviewTest::CurrentPageIsClamped_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("changed");
    QTest::newRow("one page, 0") << 1 << 1 << 0 << 1 << false;
    QTest::newRow("one page, 5") << 1 << 1 << 5 << 1 << false;
    QTest::newRow("three pages, 2") << 3 << 1 << 2 << 2 << true;
    QTest::newRow("three pages, -4") << 3 << 3 << -4 << 1 << true;
    QTest::newRow("three pages, 99") << 3 << 1 << 99 << 3 << true;
    QTest::newRow("no pages") << 0 << 0 << 2 << 0 << false;
}

void TPrintPreviewTest::CurrentPageIsClamped() {
    QFETCH(int, pages);
    QFETCH(int, start);
    QFETCH(int, asked);
    QFETCH(int, shown);
    QFETCH(bool, changed);
    TPrintPreview preview;
    if (pages > 0)
        Record(preview, pages);
    preview.SetCurrentPage(start);
    QSignalSpy spy(&preview, &TPrintPreview::Changed);
    preview.SetCurrentPage(asked);
    QCOMPARE(preview.CurrentPage(), shown);
    QCOMPARE(spy.count() > 0, changed);
}

void TPrintPreviewTest::MarginsHaveAMinimum_data() {
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("stored");
    QTest::newRow("50") << 50 << 60;
    QTest::newRow("negative") << -10 << 60;
    QTest::newRow("60") << 60 << 60;
    QTest::newRow("77") << 77 << 77;
}

void TPrintPreviewTest::MarginsHaveAMinimum() {
    QFETCH(int, asked);
    QFETCH(int, stored);
    TPrintPreview preview;
    SetUpLikeDialog(preview);
    preview.SetMarginLeft(asked);
    preview.SetMarginBottom(asked);
    QCOMPARE(preview.MarginLeft(), stored);
    QCOMPARE(preview.MarginBottom(), stored);
    QCOMPARE(preview.PageBounds(), QRect(QPoint(stored, 77), QPoint(2101 - 77, 2971 - stored)));
}

void TPrintPreviewTest::UnitConversionRounds_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("pixels");
    QTest::newRow("A4 width, 0.1 mm") << 2100 << int(TUnits::mmLoMetric) << 96 << 794;
    QTest::newRow("A4 height, 0.1 mm") << 2970 << int(TUnits::mmLoMetric) << 96 << 1123;
    QTest::newRow("half rounds up") << 127 << int(TUnits::mmLoMetric) << 2 << 1;
    QTest::newRow("negative half away from zero") << -127 << int(TUnits::mmLoMetric) << 2 << -1;
    QTest::newRow("pixels unchanged") << 333 << int(TUnits::mmPixel) << 96 << 333;
    QTest::newRow("twips") << 1440 << int(TUnits::mmTWIPS) << 300 << 300;
    QTest::newRow("no overflow") << 2000000 << int(TUnits::mmHiMetric) << 2400 << 1889764;
}

void TPrintPreviewTest::UnitConversionRounds() {
    QFETCH(int, value);
    QFETCH(int, units);
    QFETCH(int, resolution);
    QFETCH(int, pixels);
    QCOMPARE(UnitsToPixels(value, TUnits(units), resolution), pixels);
}

void TPrintPreviewTest::PrinterPaper_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("id");
    QTest::addColumn<QSizeF>("millimetres");
    // The pixel round trip at 96 dpi turns A4 into 2101 × 2971 as well.
    QTest::newRow("2101 x 2971") << 2101 << 2971 << false << int(QPageSize::Custom)
                                 << QSizeF(210.1, 297.1);
    QTest::newRow("2100 x 2970") << 2100 << 2970 << false << int(QPageSize::Custom)
                                 << QSizeF(210.1, 297.1);
    QTest::newRow("landscape asks the sheet turned")
        << 2101 << 2971 << true << int(QPageSize::Custom) << QSizeF(210.1, 297.1);
}

void TPrintPreviewTest::PrinterPaper() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, landscape);
    QFETCH(int, id);
    QFETCH(QSizeF, millimetres);
    QCOMPARE(PaperPageSize(2100, 2970).id(), QPageSize::A4);
    QCOMPARE(PaperPageSize(1480, 2100).id(), QPageSize::A5);
    TPrintPreview preview;
    preview.SetPaperWidth(width);
    preview.SetPaperHeight(height);
    if (landscape) {
        preview.SetOrientation(QPageLayout::Landscape);
        QCOMPARE(preview.PaperWidth(), height);
    }
    const QPageSize paper = preview.PrinterPaper();
    QCOMPARE(int(paper.id()), id);
    if (id == int(QPageSize::Custom)) {
        const QSizeF size = paper.size(QPageSize::Millimeter);
        QVERIFY2(qAbs(size.width() - millimetres.width()) < 0.2 &&
                     qAbs(size.height() - millimetres.height()) < 0.2,
                 qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    }
}

void TPrintPreviewTest::PrintingKeepsItsPages() {
    TPageStore store;
    Record(store, 2);
    QVERIFY(store.BeginPrinting());
    QVERIFY(!store.BeginPrinting());
    // A rebuild asked between two printed pages changes nothing.
    store.BeginDoc();
    QVERIFY(!store.Clear());
    QCOMPARE(store.TotalPages(), 2);
    QCOMPARE(store.State(), TPageStore::TState::Printing);
    store.EndPrinting();
    Record(store, 1);
    QCOMPARE(store.TotalPages(), 1);
}

void TPrintPreviewTest::FailedPrintRunIsAborted() {
    TPrintPreview preview;
    Record(preview, 2);
    // Nothing installed: nothing happens.
    preview.Print();
    QVERIFY(!preview.Aborted());
    // A printer the system cannot open: the run is aborted, the pages stay.
    TPrinters printers;
    printers.Installed = [] {
        return QStringList{QStringLiteral("quillorin-no-such-queue")};
    };
    preview.SetPrinters(printers);
    preview.Print();
    QVERIFY(preview.Aborted());
    QCOMPARE(preview.State(), TPageStore::TState::Idle);
    QCOMPARE(preview.TotalPages(), 2);
}

void TPrintPreviewTest::NewDocumentAfterARecordingFailure() {
    TFailingStore store;
    store.PagesLeft = 2;
    store.BeginDoc();
    store.NewPage();
    try {
        store.NewPage();
        QFAIL("no error");
    } catch (const std::runtime_error& error) {
        QCOMPARE(QString::fromUtf8(error.what()),
                 QStringLiteral("Not enough memory to create a new page"));
    }
    // The pages made so far are kept, and the next document starts afresh.
    QCOMPARE(store.TotalPages(), 2);
    QCOMPARE(store.State(), TPageStore::TState::Idle);
    store.PagesLeft = 1;
    Record(store, 1);
    QCOMPARE(store.TotalPages(), 1);
}

void TPrintPreviewTest::ZoomLayout_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("paper");
    QTest::addColumn<bool>("horzBar");
    QTest::addColumn<bool>("vertBar");
    // A 600 × 300 preview has a container of 600 less the vertical bar.
    const int bar = QScrollBar(Qt::Vertical).sizeHint().width();
    const int container = 600 - bar;
    const int inner = container - 12 - 5;
    QTest::newRow("width, tall page scrolls")
        << int(TZoomState::zsZoomToWidth) << 100 << QSize(600, 300)
        << QRect(6, 6, container - 12, MulDiv(inner, 1123, 794) + 5) << false << true;
    // A wide, low preview: the page fits the height, centred.
    QTest::newRow("fit, wide preview") << int(TZoomState::zsZoomToFit) << 100 << QSize(800, 400)
                                       << QRect((800 - (MulDiv(400 - 12 - 5, 794, 1123) + 5)) / 2,
                                                6, MulDiv(400 - 12 - 5, 794, 1123) + 5, 400 - 12)
                                       << false << false;
    QTest::newRow("fit, tall preview")
        << int(TZoomState::zsZoomToFit) << 100 << QSize(300, 900)
        << QRect(6, (900 - (MulDiv(300 - 12 - 5, 1123, 794) + 5)) / 2, 300 - 12,
                 MulDiv(300 - 12 - 5, 1123, 794) + 5)
        << false << false;
    QTest::newRow("10 % is centred")
        << int(TZoomState::zsZoomOther) << 10 << QSize(600, 400)
        << QRect((600 - 84) / 2, (400 - 117) / 2, 79 + 5, 112 + 5) << false << false;
    QTest::newRow("100 % scrolls both ways")
        << int(TZoomState::zsZoomOther) << 100 << QSize(600, 400) << QRect(6, 6, 794 + 5, 1123 + 5)
        << true << true;
}

void TPrintPreviewTest::ZoomLayout() {
    QFETCH(int, state);
    QFETCH(int, zoom);
    QFETCH(QSize, size);
    QFETCH(QRect, paper);
    QFETCH(bool, horzBar);
    QFETCH(bool, vertBar);
    TPrintPreview preview;
    preview.setFrameStyle(QFrame::NoFrame);
    SetUpLikeDialog(preview);
    preview.show();
    preview.resize(size);
    if (TZoomState(state) == TZoomState::zsZoomOther)
        preview.SetZoom(zoom);
    else
        preview.SetZoomState(TZoomState(state));
    QCOMPARE(preview.Paper().geometry(), paper);
    QCOMPARE(!preview.HorzScrollBar().isHidden(), horzBar);
    QCOMPARE(!preview.VertScrollBar().isHidden(), vertBar);
    const QScrollBar& vert = preview.VertScrollBar();
    if (vertBar)
        QCOMPARE(vert.maximum(), paper.height() - preview.Container().height() + 12);
}

void TPrintPreviewTest::ZoomSwitchesToOtherEvenWhenUnchanged() {
    TPrintPreview preview;
    QCOMPARE(preview.ZoomState(), TZoomState::zsZoomToFit);
    QCOMPARE(preview.Zoom(), 100);
    preview.SetZoom(100);
    QCOMPARE(preview.ZoomState(), TZoomState::zsZoomOther);
}

void TPrintPreviewTest::Keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("horz");
    QTest::addColumn<int>("vert");
    // From page 2 of 3, both bars at 100, large steps of the container;
    // -1 stands for the bar's maximum, -2 for one large step down.
    const int none = int(Qt::NoModifier);
    const int ctrl = int(Qt::ControlModifier);
    const int shift = int(Qt::ShiftModifier);
    QTest::newRow("Home") << int(Qt::Key_Home) << none << 2 << 0 << 100;
    QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << ctrl << 2 << 100 << 0;
    QTest::newRow("End") << int(Qt::Key_End) << none << 2 << -1 << 100;
    QTest::newRow("Ctrl+End") << int(Qt::Key_End) << ctrl << 2 << 100 << -1;
    QTest::newRow("Left adds") << int(Qt::Key_Left) << none << 2 << 108 << 100;
    QTest::newRow("Right subtracts") << int(Qt::Key_Right) << none << 2 << 92 << 100;
    QTest::newRow("Ctrl+Right") << int(Qt::Key_Right) << ctrl << 2 << 0 << 100;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << 2 << 100 << 92;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << 2 << 100 << 108;
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << ctrl << 2 << 100 << -2;
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << 1 << 100 << 100;
    QTest::newRow("Ctrl+Page Up") << int(Qt::Key_PageUp) << ctrl << 1 << 100 << 100;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << 3 << 100 << 100;
    QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << ctrl << 3 << 100 << 100;
    QTest::newRow("Shift is not handled") << int(Qt::Key_PageDown) << shift << 2 << 100 << 100;
}

void TPrintPreviewTest::Keys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, page);
    QFETCH(int, horz);
    QFETCH(int, vert);
    TPrintPreview preview;
    preview.setFrameStyle(QFrame::NoFrame);
    SetUpLikeDialog(preview);
    preview.resize(400, 300);
    preview.SetZoom(100);
    Record(preview, 3);
    preview.SetCurrentPage(2);
    preview.HorzScrollBar().setValue(100);
    preview.VertScrollBar().setValue(100);
    QCOMPARE(preview.VertScrollBar().pageStep(), preview.Container().height());
    QTest::keyClick(&preview, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(preview.CurrentPage(), page);
    const int horzMax = preview.HorzScrollBar().maximum();
    const int vertMax = preview.VertScrollBar().maximum();
    QCOMPARE(preview.HorzScrollBar().value(), horz < 0 ? horzMax : horz);
    const int largeDown = std::min(100 + preview.Container().height(), vertMax);
    QCOMPARE(preview.VertScrollBar().value(), vert == -1 ? vertMax : vert == -2 ? largeDown : vert);
    // The paper follows the bars.
    QCOMPARE(preview.Paper().pos(),
             QPoint(6 - preview.HorzScrollBar().value(), 6 - preview.VertScrollBar().value()));
}

void TPrintPreviewTest::PaperPainting() {
    TPaperPreview paper;
    paper.SetShadowColor(Qt::darkGray);
    paper.resize(50, 60);
    QImage image(paper.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    paper.render(&image);
    const QRgb black = qRgb(0, 0, 0);
    QCOMPARE(image.pixel(0, 0), black);                        // border
    QCOMPARE(image.pixel(46, 30), black);                      // right border
    QCOMPARE(image.pixel(1, 1), qRgb(255, 255, 255));          // paper
    QCOMPARE(image.pixel(48, 30), QColor(Qt::darkGray).rgb()); // shadow
    QCOMPARE(image.pixel(25, 58), QColor(Qt::darkGray).rgb());
    QVERIFY(image.pixel(48, 1) != QColor(Qt::darkGray).rgb()); // corner gap
    QCOMPARE(paper.PageRect(), QRect(1, 1, 45, 55));
}

void TPrintPreviewTest::ReplayFillsTheTarget() {
    // A page with a frame on the whole paper comes out on the whole target,
    // whatever the target's size.
    TPageStore store;
    store.SetPaperWidth(2101);
    store.SetPaperHeight(2971);
    store.BeginDoc();
    store.Canvas()->fillRect(QRect(0, 0, 1050, 2971), Qt::black);
    store.EndDoc();
    for (int width : {210, 841}) {
        const int height = width * 2971 / 2101;
        QImage image(width + 20, height + 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        ReplayPage(painter, *store.Page(1), QSize(2101, 2971), QRect(10, 10, width, height));
        painter.end();
        QCOMPARE(image.pixel(12, 12), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(10 + width / 2 - 3, 10 + height - 2), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(10 + width / 2 + 3, 12), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(8, 12), qRgb(255, 255, 255));
    }
}

void TPrintPreviewTest::ShownPageIsNeverStale() {
    // The page shown is kept drawn between repaints: after a rebuild, a page
    // turn, a zoom or a paper colour change the paper must show the page as
    // it now is, never what was kept.
    TPrintPreview preview;
    preview.setFrameStyle(QFrame::NoFrame);
    SetUpLikeDialog(preview);
    preview.resize(420, 300);
    preview.SetZoomState(TZoomState::zsZoomToWidth);
    preview.show();
    // Each page of each document carries a block of its own place.
    auto record = [&](int document) {
        preview.BeginDoc();
        for (int page = 1; page <= 2; ++page) {
            if (page > 1)
                preview.NewPage();
            preview.Canvas()->fillRect(QRect(200 + 600 * document, 300 + 900 * page, 500, 400),
                                       Qt::black);
            preview.Canvas()->drawText(
                QPoint(200, 200), QStringLiteral("Document %1, page %2").arg(document).arg(page));
        }
        preview.EndDoc();
    };
    auto check = [&](const char* step) {
        const TPaperPreview& paper = preview.Paper();
        QImage shown(paper.size(), QImage::Format_RGB32);
        const_cast<TPaperPreview&>(paper).render(&shown);
        const QRect pageRect = paper.PageRect();
        QImage expected(paper.size(), QImage::Format_RGB32);
        expected.fill(paper.PaperColor());
        QPainter painter(&expected);
        ReplayPage(painter, *preview.Store().Page(preview.CurrentPage()),
                   QSize(preview.PaperWidth(), preview.PaperHeight()), pageRect);
        painter.end();
        QVERIFY2(shown.copy(pageRect) == expected.copy(pageRect), step);
    };
    record(0);
    check("first document");
    record(1);
    QCOMPARE(preview.CurrentPage(), 1);
    check("rebuilt");
    preview.SetCurrentPage(2);
    check("page turned");
    preview.SetZoom(50);
    check("zoomed to 50 %");
    preview.SetZoomState(TZoomState::zsZoomToWidth);
    check("back to the page width");
    preview.Paper().SetPaperColor(Qt::yellow);
    check("paper colour");
    record(0);
    preview.SetCurrentPage(2);
    check("rebuilt on the second page");

    // At a zoom too high to keep the whole page, the part kept must follow
    // the scroll bars: what the window shows is the page at that place.
    auto checkShown = [&](const char* step) {
        TPaperPreview& paper = const_cast<TPaperPreview&>(preview.Paper());
        const QRect visible = paper.visibleRegion().boundingRect() & paper.PageRect();
        QVERIFY2(!visible.isEmpty(), step);
        const QImage shown = paper.grab(visible).toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected(visible.size(), QImage::Format_RGB32);
        expected.fill(paper.PaperColor());
        QPainter painter(&expected);
        painter.translate(-visible.topLeft());
        ReplayPage(painter, *preview.Store().Page(preview.CurrentPage()),
                   QSize(preview.PaperWidth(), preview.PaperHeight()), paper.PageRect());
        painter.end();
        QVERIFY2(shown == expected, step);
    };
    // A checkerboard over the whole page, so that any place tells.
    preview.BeginDoc();
    const int cellWidth = preview.PaperWidth() / 16;
    const int cellHeight = preview.PaperHeight() / 24;
    for (int row = 0; row < 24; ++row) {
        for (int column = row % 2; column < 16; column += 2)
            preview.Canvas()->fillRect(
                QRect(column * cellWidth, row * cellHeight, cellWidth, cellHeight), Qt::darkBlue);
    }
    preview.EndDoc();
    preview.SetZoom(500);
    auto* down = preview.findChild<QScrollBar*>(QStringLiteral("VertScrollBar"));
    auto* across = preview.findChild<QScrollBar*>(QStringLiteral("HorzScrollBar"));
    QVERIFY(down && across && down->maximum() > 0);
    checkShown("top of the page at 500 %");
    for (const int value : {down->maximum() / 3, down->maximum() / 3 + 8, down->maximum()}) {
        down->setValue(value);
        across->setValue(across->maximum() / 2);
        checkShown("scrolled at 500 %");
    }
    record(1);
    checkShown("rebuilt at 500 %");
}

QTEST_MAIN(TPrintPreviewTest)
#include "tst_printpreview.moc"
