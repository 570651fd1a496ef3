// A collection of 5,000 games: the one-pass index of the whole file (what the list of games
// needs), and reading game 4,000 from it as the file window reads the game chosen.
#include <benchmark/benchmark.h>

#include "intake/RecordCollection.h"
#include "intake/RecordTool.h"
#include "support/GeneratedCollection.h"
#include "support/TestSupport.h"

namespace kelmaz::bench {
namespace {

struct CollectionFile {
    CollectionFile() { test::writeBytes(path, test::generatedCollection(5000)); }
    test::TempDir dir;
    std::filesystem::path path = dir.file("collection.sgf");
};

const CollectionFile& collectionFile() {
    static const CollectionFile file;
    return file;
}

void BM_IndexCollectionOf5000Games(benchmark::State& st) {
    const std::string path = collectionFile().path.string();
    for (auto _ : st) {
        const std::optional<RecordCollection> file = loadRecordCollection(path);
        benchmark::DoNotOptimize(file->games.size());
    }
}
BENCHMARK(BM_IndexCollectionOf5000Games)->Unit(benchmark::kMillisecond);

void BM_ReadGame4000OfTheCollection(benchmark::State& st) {
    const std::string path = collectionFile().path.string();
    for (auto _ : st) {
        ToolRecord record;
        benchmark::DoNotOptimize(readRecordForTool(path, record, 4000).status);
    }
}
BENCHMARK(BM_ReadGame4000OfTheCollection)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelmaz::bench
