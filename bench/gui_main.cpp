// The main() of every bench_gui_* program: a QApplication for the widgets, then the benchmarks.
#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char* argv[])
{
    // Painting and typing need no display: the offscreen platform serves unless one is chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
