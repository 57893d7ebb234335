// The class entry window on a class of 40 pupils and 200 subject lines:
// opening it (model, grid, header bands, first paint); a level key and a
// committed mark, each repainted in the window and in the main window's
// class summary (one frame at 60 Hz is 16 ms); a paste of the whole class,
// every level and mark, as one step.

#include "app/ClassEntryForm.h"
#include "app/ClassEntryModel.h"
#include "app/MainForm.h"
#include "benchmarks/BenchWindow.h"
#include "widgets/ClassEntryGrid.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

class TEntryWindow : public TBenchWindow {
public:
    TEntryWindow() {
        Form().SelectNode(ClassNode());
        FMainGrid = Form().findChild<TEditGrid*>(QStringLiteral("Grid"));
    }

    TClassEntryForm* Open() const {
        auto* window =
            new TClassEntryForm(Form().Model(), Form().Editor(), ClassNode(), u',', &Form());
        window->show();
        window->Grid().viewport()->repaint();
        QCoreApplication::processEvents();
        return window;
    }
    // The window and the main window's grid as the next frame shows them.
    void Repaint(TClassEntryForm& window) const {
        window.Grid().viewport()->repaint();
        FMainGrid->viewport()->repaint();
        QCoreApplication::processEvents();
    }
    TEditGrid& MainGrid() const { return *FMainGrid; }

private:
    TEditGrid* FMainGrid = nullptr;
};

void OpenWindow(benchmark::State& state, const TEntryWindow& bench) {
    for (auto _ : state) {
        TClassEntryForm* window = bench.Open();
        state.PauseTiming();
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void LevelKey(benchmark::State& state, const TEntryWindow& bench) {
    TClassEntryForm* window = bench.Open();
    TClassEntryGrid& grid = window->Grid();
    const QModelIndex first = grid.model()->index(0, 0);
    bool a = false;
    for (auto _ : state) {
        a = !a;
        grid.setCurrentIndex(first);
        QTest::keyClick(&grid, a ? Qt::Key_A : Qt::Key_B);
        bench.Repaint(*window);
    }
    if (first.data().toString() != (a ? QStringLiteral("A") : QStringLiteral("B")))
        state.SkipWithError("the key did not set the level");
    delete window;
}

void CommitMark(benchmark::State& state, const TEntryWindow& bench) {
    TClassEntryForm* window = bench.Open();
    const int line = window->EntryModel().SubjectLine(1);
    bool twelve = false;
    for (auto _ : state) {
        twelve = !twelve;
        window->CommitMark(0, line, twelve ? QStringLiteral("12") : QStringLiteral("13,5"));
        bench.Repaint(*window);
    }
    delete window;
}

void PasteWholeClass(benchmark::State& state, const TEntryWindow& bench) {
    TClassEntryForm* window = bench.Open();
    const int columns = window->EntryModel().columnCount();
    QString texts[2];
    for (int variant = 0; variant < 2; ++variant) {
        for (int row = 0; row < TBenchWindow::Pupils; ++row) {
            QStringList cells;
            for (int column = 0; column < columns; ++column)
                cells << (column % 2 == 0
                              ? QStringLiteral("ABC?").mid((row + column + variant) % 4, 1)
                              : QString::number((row + column + variant) % 21));
            texts[variant] += cells.join(u'\t') + u'\n';
        }
    }
    const QModelIndex first = window->EntryModel().index(0, 0);
    int variant = 0;
    for (auto _ : state) {
        variant = 1 - variant;
        window->Paste(first, texts[variant]);
        bench.Repaint(*window);
    }
    if (!window->StatusText().contains(QString::number(TBenchWindow::Pupils * columns)))
        state.SkipWithError(window->StatusText().toStdString().c_str());
    delete window;
}

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks<const TEntryWindow>(argc, argv, [](const TEntryWindow& bench) {
        for (auto [name, run] :
             {std::pair{"BM_OpenClassEntry", &OpenWindow}, std::pair{"BM_LevelKey", &LevelKey},
              std::pair{"BM_CommitMark", &CommitMark},
              std::pair{"BM_PasteWholeClass", &PasteWholeClass}}) {
            benchmark::RegisterBenchmark(name,
                                         [&bench, run = run](benchmark::State& state) {
                                             if (!bench.Problem().isEmpty()) {
                                                 state.SkipWithError(
                                                     bench.Problem().toStdString().c_str());
                                                 return;
                                             }
                                             run(state, bench);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    });
}
