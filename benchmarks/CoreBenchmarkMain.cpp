// The entry point of the benchmarks that need Qt's core application only
// (no window): the library, the writer thread, the dictionary's loader and
// the heap run as in the program.

#include "data/HeapTuning.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    TuneHeapForWorkspaces();
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
