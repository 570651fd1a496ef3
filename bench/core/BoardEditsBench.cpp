// The edit palette's commands on the joseki-dictionary-sized tree (62,000 nodes, 7,700
// variations): a mark at the root (one edit: the game copied for undo), and a setup stone at
// the root, which also replays every variation twice to find the later moves it would put on a
// stone; and drags of a mark and of a setup stone, one edit of 19 points each.
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

// A drag along the first line at `node`: 19 points, one edit, taken back.
void dragAt(benchmark::State& st, int node, EditTool tool) {
    RecordDocument& document = josekiDocument();
    document.choose({0, node});
    for (auto _ : st) {
        EditStroke stroke(document, tool);
        for (int col = 1; col <= 19; ++col) stroke.add(col, 19);
        document.undo();
    }
    st.counters["nodes"] = static_cast<double>(document.game(0).nodes.size());
}

void BM_TriangleDragAtTheRootOfAJosekiTree(benchmark::State& st) {
    dragAt(st, 0, EditTool::Triangle);
}
// At the main line's last move, where no later move can refuse a stone.
void BM_SetupDragAtTheEndOfAJosekiTree(benchmark::State& st) {
    const GameTree& game = josekiDocument().game(0);
    int node = 0;
    while (!game.nodes[node].children.empty()) node = game.nodes[node].children.front();
    dragAt(st, node, EditTool::BlackStone);
}

BENCHMARK(BM_TriangleDragAtTheRootOfAJosekiTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetupDragAtTheEndOfAJosekiTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TriangleAtTheRootOfAJosekiTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetupStoneAtTheRootOfAJosekiTree)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelmaz::bench
