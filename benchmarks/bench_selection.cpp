// How long the main window takes to show another selection: the refresh of
// the pupil sheet, the grid and the status bar, the grid painted at once, then
// the rest of the window, for a class of 40 pupils and 200 subject lines.
// Going from pupil to pupil fills the grid with levels and marks; going
// between a pupil and the class also computes the class's summary. A frame
// at 60 Hz is 16 ms.
//
// A level key and a committed mark on a pupil's grid are stored through the
// history, refresh the class's summary where it shows and repaint the grid.
//
// Undoing or redoing a confirmed subject edit swaps back the records of the
// class and of all its pupils, then shows the class again: that too must fit
// in a frame.

#include "app/MainForm.h"
#include "benchmarks/BenchWindow.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

constexpr int kPupils = TBenchWindow::Pupils;
constexpr int kSubjects = TBenchWindow::Subjects;

class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(QWidget* widget) { widget->installEventFilter(this); }

    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        Count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// The benchmark window with its grid.
class TSelectionWindow : public TBenchWindow {
public:
    TSelectionWindow()
        : FGrid(Form().findChild<TEditGrid*>(QStringLiteral("Grid"))) {}

    QString GridProblem() const {
        return Problem().isEmpty() && !FGrid ? QStringLiteral("the main window has no grid")
                                             : Problem();
    }
    TEditGrid& Grid() const { return *FGrid; }

private:
    TEditGrid* FGrid;
};

void AlternateSelection(benchmark::State& state, const TSelectionWindow& window,
                        const QModelIndex& first, const QModelIndex& second) {
    if (!window.GridProblem().isEmpty()) {
        state.SkipWithError(window.GridProblem().toStdString().c_str());
        return;
    }
    TPaintCounter paints(window.Grid().viewport());
    bool atFirst = false;
    for (auto _ : state) {
        atFirst = !atFirst;
        window.Form().SelectNode(atFirst ? first : second);
        window.Grid().repaint();
        // What else the change left to paint: the tree, the sheet, the status bar.
        QCoreApplication::processEvents();
    }
    if (window.Form().SelectedNode() != (atFirst ? first : second) ||
        window.Grid().RowCount() != kSubjects + 1) {
        state.SkipWithError("the grid does not show the selection");
        return;
    }
    state.counters["GridPaints"] =
        benchmark::Counter(paints.Count, benchmark::Counter::kAvgIterations);
}

// The first evaluated row of the grid, made the current one.
int FirstEvaluatedRow(TEditGrid& grid) {
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
        if (grid.IsEvaluatedRow(row))
            return row;
    }
    return -1;
}

// Two entries made in turn on the first subject of the first pupil, each
// repainted; `entered` tells whether the last one is what the record holds.
void EnterInTurn(
    benchmark::State& state, const TSelectionWindow& window,
    const std::function<void(TEditGrid& grid, int row, bool first)>& enter,
    const std::function<bool(const TPData& record, int subject, bool first)>& entered) {
    if (!window.GridProblem().isEmpty()) {
        state.SkipWithError(window.GridProblem().toStdString().c_str());
        return;
    }
    window.Form().SelectNode(window.Pupil(0));
    TEditGrid& grid = window.Grid();
    const int row = FirstEvaluatedRow(grid);
    bool first = false;
    for (auto _ : state) {
        first = !first;
        enter(grid, row, first);
        grid.repaint();
        QCoreApplication::processEvents();
    }
    if (!entered(*window.Form().SelectedData(), row - 1, first))
        state.SkipWithError("what was typed was not stored");
}

// "a" and "b" typed in turn on the same subject.
void LevelKey(benchmark::State& state, const TSelectionWindow& window) {
    EnterInTurn(
        state, window,
        [](TEditGrid& grid, int row, bool first) {
            grid.setCurrentIndex(grid.model()->index(row - 1, 1));
            QKeyEvent key(QEvent::KeyPress, first ? Qt::Key_A : Qt::Key_B, Qt::NoModifier,
                          first ? QStringLiteral("a") : QStringLiteral("b"));
            QCoreApplication::sendEvent(&grid, &key);
        },
        [](const TPData& record, int subject, bool first) {
            return record.GetLevel(subject) == (first ? 1 : 2);
        });
}

// A mark typed into the cell and handed to the window, as leaving the cell
// does, two marks in turn.
void CommitMark(benchmark::State& state, const TSelectionWindow& window) {
    EnterInTurn(
        state, window,
        [](TEditGrid& grid, int row, bool first) {
            const QString mark = first ? QStringLiteral("12") : QStringLiteral("13,5");
            grid.SetCells(grid.EditCol(), row, mark);
            Q_EMIT grid.OnModifyEdit(&grid, row, mark);
        },
        [](const TPData& record, int subject, bool first) {
            return record.GetMark(subject) == (first ? 12.0 : 13.5);
        });
}

// One confirmed subject edit of the class (one more subject line for the
// class and every pupil), then undone and redone in turn.
void UndoRedoSubjectEdit(benchmark::State& state, const TSelectionWindow& window) {
    if (!window.GridProblem().isEmpty()) {
        state.SkipWithError(window.GridProblem().toStdString().c_str());
        return;
    }
    TMainForm& form = window.Form();
    TWorkspaceModel& model = form.Model();
    form.SelectNode(window.ClassNode());
    std::vector<TWorkspaceEditor::TRecordChange> changes;
    auto classRecord = std::make_unique<TPData>(*model.NodeAt(window.ClassNode())->Data);
    classRecord->AppendLine(QStringLiteral("Histoire"));
    changes.emplace_back(window.ClassNode(), std::move(classRecord));
    for (int row = 0; row < kPupils; ++row) {
        auto record = std::make_unique<TPData>(*model.NodeAt(window.Pupil(row))->Data);
        record->SetLevelCount(kSubjects + 1);
        changes.emplace_back(window.Pupil(row), std::move(record));
    }
    form.Editor().ReplaceRecords(QStringLiteral("matières de la classe CM2 B"), std::move(changes));
    bool undone = false;
    for (auto _ : state) {
        undone = !undone;
        if (undone)
            form.Editor().Undo();
        else
            form.Editor().Redo();
        window.Grid().repaint();
        QCoreApplication::processEvents();
    }
    if (undone)
        form.Editor().Redo();
    form.Editor().Undo();
    if (window.Grid().RowCount() != kSubjects + 1 || form.SelectedNode() != window.ClassNode())
        state.SkipWithError("the grid does not show the class as it was");
}

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks<const TSelectionWindow>(
        argc, argv, [](const TSelectionWindow& window) {
            benchmark::RegisterBenchmark("BM_SelectPupilThenPupil",
                                         [&](benchmark::State& state) {
                                             AlternateSelection(state, window, window.Pupil(0),
                                                                window.Pupil(1));
                                         })
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark("BM_SelectPupilThenClass",
                                         [&](benchmark::State& state) {
                                             AlternateSelection(state, window, window.Pupil(0),
                                                                window.ClassNode());
                                         })
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark("BM_LevelKey",
                                         [&](benchmark::State& state) { LevelKey(state, window); })
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(
                "BM_CommitMark", [&](benchmark::State& state) { CommitMark(state, window); })
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(
                "BM_UndoRedoSubjectEdit",
                [&](benchmark::State& state) { UndoRedoSubjectEdit(state, window); })
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
        });
}
