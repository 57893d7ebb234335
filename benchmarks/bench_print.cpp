// How long the print dialog's work takes on a large class (40 pupils, 200
// subject lines): a rebuild of the 3-page class sheet with the repaint of the
// page shown, which runs at every change in the dialog (a frame at 60 Hz is
// 16 ms), and the one-PDF export of every pupil's sheet (target 2 s). Turning
// a page, changing the zoom and scrolling the page are measured with the
// repaint of the preview that follows them, each inside a frame too.

#include "benchmarks/WorkspaceGenerator.h"
#include "data/ColHints.h"
#include "data/HeapTuning.h"
#include "print/PageReplay.h"
#include "print/PaperPreview.h"
#include "print/PrintPreview.h"
#include "print/SheetBuilder.h"
#include "print/SheetFont.h"
#include "print/SheetSource.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPupils = 40;
constexpr int kSubjects = 200;

// The generated class as the main window hands it to the builders; the grid
// texts are what the refresh writes for a class: counts and an average.
class TBenchSource : public TSheetSource {
public:
    TBenchSource()
        : FClass(TWorkspaceGenerator().NewClass(QStringLiteral("CM2 A"), kSubjects, kPupils)) {}

    const TPData* SelectedRecord() const override { return FClass->Data.get(); }
    const TPData* SelectedClass() const override { return FClass->Data.get(); }
    std::vector<const TPData*> ClassPupils() const override {
        std::vector<const TPData*> pupils;
        for (const auto& pupil : FClass->Pupils)
            pupils.push_back(pupil->Data.get());
        return pupils;
    }
    QString GridText(int column, int row) const override {
        return column == 5 ? QStringLiteral("12,5") : QString::number((row + column) % 20);
    }
    QString StatusText(int panel) const override {
        return panel == 2 ? QStringLiteral("40 élèves") : QStringLiteral("200 matières");
    }
    const TColHints& ColumnHints() const override { return DefaultColHints(); }
    QImage CrossPicture() const override { return FCross; }
    QDate Today() const override { return QDate(2026, 12, 8); }
    const TRegionalSettings& Regional() const override { return FRegional; }

private:
    std::unique_ptr<TClassNode> FClass;
    QImage FCross{QStringLiteral(":/widgets/cross.xpm")};
    TRegionalSettings FRegional =
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
};

// The print dialog's preview at its opening size.
void SetUp(TPrintPreview& preview) {
    preview.SetPaperWidth(2101);
    preview.SetPaperHeight(2971);
    preview.SetMarginLeft(77);
    preview.SetMarginRight(77);
    preview.SetMarginTop(77);
    preview.SetMarginBottom(77);
    preview.SetFont(SheetFont(QStringLiteral("DejaVu Sans Mono"), 24, {}));
    preview.SetZoomState(TZoomState::zsZoomToWidth);
    preview.resize(633, 330);
}

void BM_RebuildClassSheet(benchmark::State& state) {
    const TBenchSource source;
    TPrintPreview preview;
    SetUp(preview);
    preview.show();
    TSheetOptions options;
    options.DrawTitle = true;
    QImage screen(preview.Paper().size(), QImage::Format_RGB32);
    for (auto _ : state) {
        BuildClassSheet(preview, source, options);
        preview.SetCurrentPage(2);
        preview.Paper().render(&screen);
        benchmark::DoNotOptimize(screen.bits());
    }
    state.counters["pages"] = preview.TotalPages();
}

// The preview holding the class sheet, shown at the dialog's opening size.
class TShownPreview {
public:
    TShownPreview() {
        SetUp(Preview);
        TSheetOptions options;
        options.DrawTitle = true;
        BuildClassSheet(Preview, FSource, options);
        Preview.show();
        QCoreApplication::processEvents();
    }

    // The preview's repaint, as the screen gets it after a change.
    void Repaint() {
        Preview.repaint();
        QCoreApplication::processEvents();
    }

    TPrintPreview Preview;

private:
    const TBenchSource FSource;
};

void BM_TurnPage(benchmark::State& state) {
    TShownPreview shown;
    int page = 1;
    for (auto _ : state) {
        page = page == 1 ? 2 : 1;
        shown.Preview.SetCurrentPage(page);
        shown.Repaint();
    }
    state.counters["pages"] = shown.Preview.TotalPages();
}

void BM_ChangeZoom(benchmark::State& state) {
    TShownPreview shown;
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        if (wide)
            shown.Preview.SetZoom(100);
        else
            shown.Preview.SetZoomState(TZoomState::zsZoomToWidth);
        shown.Repaint();
    }
}

void BM_ScrollPage(benchmark::State& state) {
    TShownPreview shown;
    shown.Preview.SetZoom(int(state.range(0)));
    shown.Repaint();
    QScrollBar& bar = shown.Preview.VertScrollBar();
    int step = bar.singleStep();
    for (auto _ : state) {
        if (bar.value() + step > bar.maximum() || bar.value() + step < 0)
            step = -step;
        bar.setValue(bar.value() + step);
        shown.Repaint();
    }
}

void BM_ExportEveryPupilToPdf(benchmark::State& state) {
    const TBenchSource source;
    TSheetOptions options;
    options.DrawTitle = true;
    options.DrawRemarks = true;
    qsizetype bytes = 0;
    std::size_t pageCount = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<TPageStore>> sheets;
        std::vector<const QPicture*> pages;
        for (const TPData* pupil : source.ClassPupils()) {
            auto sheet = std::make_unique<TPageStore>();
            sheet->SetPaperWidth(2101);
            sheet->SetPaperHeight(2971);
            sheet->SetMargins(77);
            sheet->SetFont(SheetFont(QStringLiteral("DejaVu Sans Mono"), 24, {}));
            BuildPupilSheet(*sheet, source, *pupil, *source.SelectedClass(), options);
            for (int page = 1; page <= sheet->TotalPages(); ++page)
                pages.push_back(sheet->Page(page));
            sheets.push_back(std::move(sheet));
        }
        const auto pdf = PagesToPdf(pages, QSize(2101, 2971), QStringLiteral("CM2 A"));
        bytes = pdf ? pdf->size() : -1;
        pageCount = pages.size();
    }
    state.counters["pages"] = double(pageCount);
    state.counters["bytes"] = double(bytes);
}

} // namespace

BENCHMARK(BM_RebuildClassSheet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TurnPage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ChangeZoom)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScrollPage)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportEveryPupilToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    TuneHeapForWorkspaces();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
