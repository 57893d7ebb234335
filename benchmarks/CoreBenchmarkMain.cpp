// The entry point of the benchmarks that need Qt's core application only
// (no window): the library, the writer thread and the dictionary's loader
// run as in the program.

#include <QCoreApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
