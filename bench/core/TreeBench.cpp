// The tree model on trees of 10 to 10,000 branches and on a joseki-dictionary-sized tree: the
// whole load the tree window runs (syntax check, reduction, parse, branch table, rows), each
// scan alone, and the text rebuild. The 10/100/1,000/10,000 series shows how each grows.
#include <benchmark/benchmark.h>

#include <map>

#include "document/TreeSession.h"
#include "support/BenchData.h"
#include "tree/SgfText.h"
#include "tree/TreeEdit.h"
#include "tree/TreeModel.h"

namespace kelmaz::bench {
namespace {

const GameState& mainLine() {
    static const GameState record = captureHeavyRecord(499);
    return record;
}

// Tree texts by branch count; 0 stands for the joseki-dictionary-sized tree.
const std::string& treeText(int branches) {
    static std::map<int, std::string> texts;
    auto [it, added] = texts.try_emplace(branches);
    if (added) {
        TreeShape shape;
        shape.branches = branches;
        it->second = branches == 0 ? josekiTree(mainLine()) : generateTree(shape, mainLine());
    }
    return it->second;
}

void describe(benchmark::State& st, const std::string& text) {
    st.SetComplexityN(static_cast<std::int64_t>(text.size()));
    st.SetBytesProcessed(st.iterations() * static_cast<std::int64_t>(text.size()));
    st.counters["bytes"] = static_cast<double>(text.size());
}

// putSGFdata: syntax check, reduction to the stone nodes, parse, branch table, rows, node 1.
void BM_PutSgfData(benchmark::State& st) {
    const std::string& text = treeText(static_cast<int>(st.range(0)));
    GameState state;
    RecordDocument document;
    DocumentRecord record(document, state);
    TreeSession session(state, record);
    for (auto _ : st) {
        benchmark::DoNotOptimize(Checkg(text));
        record.takeSgf(text);
        session.loadFileTree();
    }
    describe(st, text);
    st.counters["branches"] = session.model().BranchCount;
}

// A file's tree: shown reduced, the whole text kept for writing.
void BM_LoadFileTree(benchmark::State& st) {
    const std::string& text = treeText(static_cast<int>(st.range(0)));
    GameState state;
    RecordDocument document;
    DocumentRecord record(document, state);
    TreeSession session(state, record);
    for (auto _ : st) {
        benchmark::DoNotOptimize(Checkg(text));
        record.takeSgf(text);
        session.loadFileTree();
    }
    describe(st, text);
    st.counters["branches"] = session.model().BranchCount;
}

void BM_Checkg(benchmark::State& st) {
    const std::string& text = treeText(static_cast<int>(st.range(0)));
    for (auto _ : st) benchmark::DoNotOptimize(Checkg(text));
    describe(st, text);
}

void BM_Stripdata(benchmark::State& st) {
    const std::string& text = treeText(static_cast<int>(st.range(0)));
    for (auto _ : st) benchmark::DoNotOptimize(Stripdata(text));
    describe(st, text);
}

// Group depths, comments, branch table and rows of the reduced text.
void BM_Parse(benchmark::State& st) {
    const std::string& text = treeText(static_cast<int>(st.range(0)));
    const std::string reduced = Stripdata(text);
    TreeModel model;
    for (auto _ : st) model.parse(reduced);
    describe(st, reduced);
}

void BM_RebuildSgfText(benchmark::State& st) {
    const std::string& text = treeText(static_cast<int>(st.range(0)));
    TreeModel model;
    model.parse(Stripdata(text));
    for (auto _ : st) benchmark::DoNotOptimize(RebuildSgfText(model));
    describe(st, text);
}

void series(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN);
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_PutSgfData)->Apply(series);
BENCHMARK(BM_PutSgfData)->Name("BM_PutSgfData/joseki")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFileTree)->Name("BM_LoadFileTree/joseki")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Checkg)->Apply(series);
BENCHMARK(BM_Stripdata)->Apply(series);
BENCHMARK(BM_Parse)->Apply(series);
BENCHMARK(BM_RebuildSgfText)->Apply(series);
BENCHMARK(BM_RebuildSgfText)
    ->Name("BM_RebuildSgfText/joseki")
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

}  // namespace kelmaz::bench
