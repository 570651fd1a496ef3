// The window benchmarks run in one offscreen application with its own settings folder, so
// that no run reads or writes the user's settings.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "shell/ui/AppResources.h"
#include "support/TestSupport.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const kelmaz::test::TempDir config;
    setenv("KELMAZ_CONFIG_DIR", config.path().c_str(), 1);
    QApplication app(argc, argv);
    kelmaz::loadAppResources();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
