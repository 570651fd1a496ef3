// The main window: painting a crowded board with move numbers into an offscreen image, stepping
// through a 499-move record one move at a time with the repaint, and opening a professional
// game the way the file window does, up to the painted board.
#include <benchmark/benchmark.h>

#include <QImage>
#include <algorithm>
#include <chrono>

#include "engine/Engine.h"
#include "records/RecordFile.h"
#include "shell/ui/FomSet.h"
#include "shell/ui/Program.h"
#include "support/BenchData.h"
#include "view/ui/BoardView.h"
#include "view/ui/FomMain.h"

namespace kelmaz::bench {
namespace {

const GameState& captureRecord() {
    static const GameState record = captureHeavyRecord(499);
    return record;
}

// The program as started, with the capture-heavy record in its move record.
struct RunningProgram {
    RunningProgram() {
        program.StartupMain();
        GameState& s = program.state();
        const GameState& r = captureRecord();
        s.MoveCol = r.MoveCol;
        s.MoveRow = r.MoveRow;
        s.MoveColour = r.MoveColour;
        s.MoveComment = r.MoveComment;
    }
    Engine& engine() { return program.engine(); }
    BoardView& board() { return program.fomMain().board(); }
    Program program;
};

// The most crowded position of the record, numbers shown, painted at the given pixel ratio.
void BM_PaintBoard(benchmark::State& st) {
    RunningProgram run;
    run.program.fomSet().Option5_Click(0);  // "表示": move numbers on the stones
    const GameState& s = run.program.state();
    int crowded = 1, most = -1;
    for (int k = 1; s.hasMove(k); ++k) {
        run.engine().Redraw(1, k);
        int stones = 0;
        for (int c = 1; c <= 19; ++c)
            for (int r = 1; r <= 19; ++r) stones += s.BoardGrid[c][r] != 0;
        if (stones > most) most = stones, crowded = k;
    }
    run.engine().Redraw(1, crowded);
    const double ratio = static_cast<double>(st.range(0));
    BoardView& board = run.board();
    QImage image(board.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (auto _ : st) {
        board.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    st.counters["stones"] = most;
    st.counters["width_px"] = image.width();
}

// One-forward through the whole record, each step painted before the next; the slowest step
// is shown too (it rebuilds all 499 moves).
void BM_StepOneForwardRepaint(benchmark::State& st) {
    RunningProgram run;
    Engine& engine = run.engine();
    const int last = engine.lastMoveInRecord();
    double slowest = 0;
    for (auto _ : st) {
        engine.Redraw(1, 0);
        while (run.program.state().MoveCount < last) {
            const auto start = std::chrono::steady_clock::now();
            engine.oneForward();
            run.board().repaint();
            const auto end = std::chrono::steady_clock::now();
            slowest =
                std::max(slowest, std::chrono::duration<double, std::milli>(end - start).count());
        }
    }
    st.counters["per_step"] = benchmark::Counter(
        last, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    st.counters["slowest_step_ms"] = slowest;
}

// The file window's path for a 276-move professional game: clear, read, detect, read the
// moves, replay them, paint the board.
void BM_OpenProGameAndPaint(benchmark::State& st) {
    Program program;
    program.StartupMain();
    const std::string path = corpusFile(kProGame).string();
    GameState& s = program.state();
    for (auto _ : st) {
        program.engine().gCls();
        readRecordFile(path, s, program.options(), program.tree());
        program.engine().Redraw(1, s.MoveCount);
        program.fomMain().board().repaint();
    }
    st.counters["moves"] = s.MoveCount;
}

}  // namespace

BENCHMARK(BM_PaintBoard)
    ->Name("BM_PaintBoard/ratio")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepOneForwardRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProGameAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace kelmaz::bench
