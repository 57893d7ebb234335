// The workspace file's speed and memory: loading, encoding and saving
// workspaces of 1, 4 and 16 thousand classes of 30 pupils with 40 subject
// lines each (about 12 MB per thousand classes), under French regional
// settings. Bytes per second that stay level from 1 to 16 show linear growth;
// PeakMem/FileSize is the most a load held at once, TreeMem/FileSize what the
// loaded tree keeps, both per byte of file.

#include "benchmarks/AllocationCounter.h"
#include "benchmarks/WorkspaceGenerator.h"
#include "data/WorkspaceReader.h"
#include "data/WorkspaceWriter.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

constexpr int kPupilsPerClass = 30;
constexpr int kSubjects = 40;
const QDate kDay(2026, 12, 6);

const TRegionalSettings& French() {
    static const TRegionalSettings settings =
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
    return settings;
}

void IgnoreMessage(const QString&) {}

// The file of `thousands` thousand classes, made once per size.
const QByteArray& GeneratedFile(int thousands) {
    static std::map<int, QByteArray> files;
    QByteArray& file = files[thousands];
    if (file.isEmpty()) {
        TWorkspaceGenerator generator;
        const TWorkspace tree =
            generator.NewWorkspace(thousands * 1000, kPupilsPerClass, kSubjects);
        file = EncodeWorkspace(tree, French(), kDay);
    }
    return file;
}

bool LoadCompletely(const QByteArray& file, TWorkspace& tree, benchmark::State& state) {
    const TLoadResult result = LoadWorkspaceFromBytes(file, tree, French(), IgnoreMessage);
    if (!result.Complete()) {
        state.SkipWithError("the generated workspace did not load completely");
        return false;
    }
    return true;
}

void ReportLoadMemory(const QByteArray& file, benchmark::State& state) {
    if (!AllocationCounter::Available())
        return;
    TWorkspace tree;
    AllocationCounter::Start();
    LoadWorkspaceFromBytes(file, tree, French(), IgnoreMessage);
    AllocationCounter::Stop();
    const double size = double(file.size());
    state.counters["PeakMem/FileSize"] = double(AllocationCounter::PeakBytes()) / size;
    state.counters["TreeMem/FileSize"] = double(AllocationCounter::LiveBytes()) / size;
}

void ReportFile(const QByteArray& file, benchmark::State& state) {
    state.SetBytesProcessed(std::int64_t(state.iterations()) * file.size());
    state.counters["FileMB"] = double(file.size()) / 1e6;
}

void BM_LoadWorkspace(benchmark::State& state) {
    const QByteArray& file = GeneratedFile(int(state.range(0)));
    ReportLoadMemory(file, state);
    for (auto _ : state) {
        TWorkspace tree;
        if (!LoadCompletely(file, tree, state))
            break;
        // Releasing the tree is the quit's work, not the load's.
        state.PauseTiming();
        tree = TWorkspace();
        state.ResumeTiming();
    }
    ReportFile(file, state);
}

void BM_EncodeWorkspace(benchmark::State& state) {
    const QByteArray& file = GeneratedFile(int(state.range(0)));
    TWorkspace tree;
    if (!LoadCompletely(file, tree, state))
        return;
    if (EncodeWorkspace(tree, French(), kDay) != file) {
        state.SkipWithError("the loaded workspace does not encode to the file it was read from");
        return;
    }
    for (auto _ : state) {
        const QByteArray bytes = EncodeWorkspace(tree, French(), kDay);
        benchmark::DoNotOptimize(bytes.data());
    }
    ReportFile(file, state);
}

void BM_SaveWorkspace(benchmark::State& state) {
    const QByteArray& file = GeneratedFile(int(state.range(0)));
    TWorkspace tree;
    if (!LoadCompletely(file, tree, state))
        return;
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tree.dat"));
    for (auto _ : state) {
        if (SaveWorkspace(path, tree, French(), kDay)) {
            state.SkipWithError("the workspace could not be saved");
            break;
        }
    }
    ReportFile(file, state);
}

} // namespace

BENCHMARK(BM_LoadWorkspace)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeWorkspace)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
// Saving waits for the disk, so wall time is what counts.
BENCHMARK(BM_SaveWorkspace)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();
