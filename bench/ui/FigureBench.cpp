// Printed figures: a 300-move game cut into figures of 100 moves and written as a PDF, the way
// 「PDFに保存」 and `kelmaz-cli diagram --format pdf` make it.
#include <benchmark/benchmark.h>

#include "diagram/RecordLine.h"
#include "diagram/ui/FigureBook.h"
#include "support/BenchData.h"

namespace kelmaz::bench {
namespace {

void BM_FiguresPdf300Moves(benchmark::State& run) {
    const GameState record = captureHeavyRecord(300);
    for (auto _ : run) {
        LineOfPlay line = lineOfRecord(record);
        std::vector<Figure> figures = buildFigures(line, {});
        const FigureBook book(std::move(line), std::move(figures), {});
        benchmark::DoNotOptimize(figuresPdf(book));
    }
}
BENCHMARK(BM_FiguresPdf300Moves)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelmaz::bench
