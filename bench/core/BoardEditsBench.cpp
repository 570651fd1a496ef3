// The edit palette's commands on the joseki-dictionary-sized tree (62,000 nodes, 7,700
// variations): a mark at the root (one edit: the game copied for undo), and a setup stone at
// the root, which also replays every variation twice to find the later moves it would put on a
// stone.
#include <benchmark/benchmark.h>

#include "document/BoardEdits.h"
#include "support/BenchData.h"

namespace kelmaz::bench {
namespace {

RecordDocument& josekiDocument() {
    static RecordDocument document = [] {
        RecordDocument read;
        read.read(josekiTree(captureHeavyRecord(499)));
        return read;
    }();
    return document;
}

void clickAtRoot(benchmark::State& st, EditTool tool) {
    RecordDocument& document = josekiDocument();
    document.choose({0, 0});
    int changed = 0;
    for (auto _ : st) {
        const EditOutcome outcome = EditStroke(document, tool).add(19, 19);
        if (outcome.changed) {
            ++changed;
            document.undo();
        }
    }
    st.counters["changed"] = changed;
    st.counters["nodes"] = static_cast<double>(document.game(0).nodes.size());
}

void BM_TriangleAtTheRootOfAJosekiTree(benchmark::State& st) {
    clickAtRoot(st, EditTool::Triangle);
}
void BM_SetupStoneAtTheRootOfAJosekiTree(benchmark::State& st) {
    clickAtRoot(st, EditTool::BlackStone);
}

BENCHMARK(BM_TriangleAtTheRootOfAJosekiTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetupStoneAtTheRootOfAJosekiTree)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelmaz::bench
