// The rules: full rebuilds, stepping one move forward, and a click on a crowded board.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "document/DocumentRecord.h"
#include "engine/Engine.h"
#include "intake/RecordTool.h"
#include "support/BenchData.h"
#include "support/FakeBoardHost.h"

namespace kelmaz::bench {
namespace {

GameState proGameRecord() {
    ToolRecord record;
    if (readRecordForTool(corpusFile(kProGame).string(), record).status !=
        RecordReadResult::Status::Ok) {
        std::abort();
    }
    return record.state;
}

const GameState& captureRecord() {
    static const GameState record = captureHeavyRecord(499);
    return record;
}

// An engine over its own copy of a record, without a window.
struct EngineOnRecord {
    explicit EngineOnRecord(const GameState& recorded) : state(recorded) {}
    GameState state;
    BoardOptions options;
    test::FakeBoardHost host;
    RecordDocument document;
    DocumentRecord record{document, state};
    Engine engine{state, options, host, record};
    const int last = state.lastMoveInRecord();
};

// Redraw(1, n) of a whole record, from the empty board.
void rebuildAll(benchmark::State& st, const GameState& record) {
    EngineOnRecord run(record);
    GameState& state = run.state;
    Engine& engine = run.engine;
    const int last = run.last;
    for (auto _ : st) {
        engine.Redraw(1, last);
        benchmark::DoNotOptimize(state.BoardGrid);
    }
    st.counters["moves"] = last;
    st.counters["prisoners"] = prisonersOf(state);
}

void BM_RebuildProGame(benchmark::State& st) { rebuildAll(st, proGameRecord()); }
void BM_RebuildCaptureHeavy(benchmark::State& st) { rebuildAll(st, captureRecord()); }

// Every one-forward step through the capture-heavy record; the time shown is per step.
void BM_StepOneForward(benchmark::State& st) {
    EngineOnRecord run(captureRecord());
    GameState& state = run.state;
    Engine& engine = run.engine;
    const int last = run.last;
    for (auto _ : st) {
        engine.Redraw(1, 0);
        while (state.MoveCount < last) engine.oneForward();
    }
    st.SetItemsProcessed(st.iterations() * last);
    st.counters["per_step"] = benchmark::Counter(
        last, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// One click on the empty point nearest the centre of the most crowded position of the record.
void BM_ClickFullBoard(benchmark::State& st) {
    EngineOnRecord run(captureRecord());
    GameState& state = run.state;
    Engine& engine = run.engine;
    const int last = run.last;
    int crowded = 0, most = -1;
    for (int k = 1; k <= last; ++k) {
        engine.Redraw(1, k);
        int stones = 0;
        for (int c = 1; c <= 19; ++c)
            for (int r = 1; r <= 19; ++r) stones += state.BoardGrid[c][r] != 0;
        if (stones > most) most = stones, crowded = k;
    }
    engine.Redraw(1, crowded);
    state.MoveCol[crowded + 1] = 0;  // the click ends the record here
    const GameState position = state;
    int col = 0, row = 0, best = 1000;
    for (int c = 1; c <= 19; ++c) {
        for (int r = 1; r <= 19; ++r) {
            const int distance = std::abs(c - 10) + std::abs(r - 10);
            if (position.BoardGrid[c][r] != 0 || distance >= best) continue;
            engine.IshiUtu(c, r);
            if (state.MoveCount == crowded + 1) best = distance, col = c, row = r;
            state = position;
        }
    }
    for (auto _ : st) {
        const auto start = std::chrono::steady_clock::now();
        engine.IshiUtu(col, row);
        const auto end = std::chrono::steady_clock::now();
        st.SetIterationTime(std::chrono::duration<double>(end - start).count());
        state = position;
    }
    st.counters["stones"] = most;
}

}  // namespace

BENCHMARK(BM_RebuildProGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RebuildCaptureHeavy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepOneForward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickFullBoard)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace kelmaz::bench
