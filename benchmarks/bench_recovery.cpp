// What keeping the recovery file costs the window, at a whole school's size
// (10 classes of 30 pupils, 100 subject lines) and at 40 classes of 200:
//  - Step: one change through the history (a level), as a keystroke pays it;
//  - WriteTick: the same step and the encoding the next recovery write does
//    on the window's thread (the class that changed, the counts);
//  - RecoveryWrite: a step and the whole write, waited for (the disk's part
//    runs on the writer thread; the window does not wait for it);
//  - Save: the whole save of the workspace file with its dated copy.

#include "benchmarks/WorkspaceGenerator.h"
#include "workspace/RecoveryFile.h"
#include "workspace/WorkspaceDocument.h"
#include "workspace/WorkspaceEditor.h"

#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSubjects = 100;
const QDate kDay(2026, 12, 6);

struct TBench {
    QTemporaryDir Folder;
    TWorkspaceDocument Document;
    QModelIndex Pupil;
    int Level = 1;

    TBench(int classes, int pupils)
        : Document(Folder.path(),
                   TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France)),
                   [] { return kDay; }, {}) {
        Document.History().setUndoLimit(100);
        Document.Model().Reset([&](TWorkspace& tree) {
            tree = TWorkspaceGenerator().NewWorkspace(classes, pupils, kSubjects);
        });
        Pupil = Document.Model().index(0, 0, Document.Model().index(classes / 2, 0));
        // As after a first write: every class encoded once.
        Document.Recovery().Parts();
    }

    void Step() {
        Level = Level % 3 + 1;
        Document.Editor().SetLevel(Pupil, 1, Level);
    }
};

void Sizes(benchmark::internal::Benchmark* bench) {
    bench->Args({10, 30})->Args({40, 200})->ArgNames({"classes", "pupils"});
}

void Step(benchmark::State& state) {
    TBench bench(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        bench.Step();
}
BENCHMARK(Step)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

void WriteTick(benchmark::State& state) {
    TBench bench(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        bench.Step();
        benchmark::DoNotOptimize(bench.Document.Recovery().Parts());
    }
}
BENCHMARK(WriteTick)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

void RecoveryWrite(benchmark::State& state) {
    TBench bench(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        bench.Step();
        bench.Document.FlushRecovery();
    }
}
BENCHMARK(RecoveryWrite)->Apply(Sizes)->Unit(benchmark::kMillisecond);

void Save(benchmark::State& state) {
    TBench bench(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        bench.Step();
        if (bench.Document.Save().Error)
            state.SkipWithError("the save failed");
    }
}
BENCHMARK(Save)->Apply(Sizes)->Unit(benchmark::kMillisecond);

} // namespace
