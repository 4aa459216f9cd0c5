#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>

// The application's benchmarks drive widgets: one offscreen application around the runs.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
