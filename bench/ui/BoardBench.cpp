// The main window: painting a crowded board with move numbers into an offscreen image at the
// window sizes users have, jumping and stepping through a 499-move record with the repaint, and
// opening a professional game the way the file window does, up to the painted board.
#include <benchmark/benchmark.h>

#include <QImage>
#include <algorithm>
#include <chrono>

#include "app/Program.h"
#include "engine/Engine.h"
#include "intake/RecordFormat.h"
#include "shell/ui/FomSet.h"
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

// The move of the record with the most stones on the board.
int mostCrowdedMove(RunningProgram& run) {
    const GameState& s = run.program.state();
    int crowded = 1, most = -1;
    for (int k = 1; s.hasMove(k); ++k) {
        run.engine().Redraw(1, k);
        int stones = 0;
        for (int c = 1; c <= 19; ++c)
            for (int r = 1; r <= 19; ++r) stones += s.BoardGrid[c][r] != 0;
        if (stones > most) most = stones, crowded = k;
    }
    return crowded;
}

// The window sizes users have: the board `st.range(0)` pixels wide at `st.range(1)` device
// pixels per pixel, move numbers shown. Paints into an image of that many device pixels.
struct SizedBoard {
    explicit SizedBoard(benchmark::State& st) {
        run.program.fomSet().Option5_Click(0);  // "表示": move numbers on the stones
        FomMain& window = run.program.fomMain();
        window.resize(int(st.range(0)), window.height());
        const double ratio = static_cast<double>(st.range(1));
        image = QImage(run.board().size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        st.counters["width_px"] = image.width();
    }
    RunningProgram run;
    QImage image;
};

void windowSizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"width", "ratio"});
    for (const auto& [width, ratio] :
         {std::pair{267, 1}, {267, 2}, {1000, 1}, {2000, 1}, {1000, 2}, {1900, 2}})
        b->Args({width, ratio});
    b->Unit(benchmark::kMillisecond);
}

// The whole board painted again, as on an expose: the most crowded position of the record.
void BM_PaintBoard(benchmark::State& st) {
    SizedBoard sized(st);
    sized.run.engine().Redraw(1, mostCrowdedMove(sized.run));
    sized.run.board().render(&sized.image);
    for (auto _ : st) {
        sized.run.board().render(&sized.image);
        benchmark::DoNotOptimize(sized.image.constBits());
    }
}

// A jump between the empty board and the most crowded position: every stone is painted anew.
void BM_JumpAndPaint(benchmark::State& st) {
    SizedBoard sized(st);
    const int crowded = mostCrowdedMove(sized.run);
    bool empty = false;
    for (auto _ : st) {
        empty = !empty;
        sized.run.engine().Redraw(1, empty ? 0 : crowded);
        sized.run.board().render(&sized.image);
        benchmark::DoNotOptimize(sized.image.constBits());
    }
}

// One step forward through the record and the repaint the window makes for it, of the points
// that changed; at the end of the record it starts again from the empty board, untimed.
void BM_StepAndPaint(benchmark::State& st) {
    SizedBoard sized(st);
    Engine& engine = sized.run.engine();
    BoardView& board = sized.run.board();
    const int last = sized.run.program.state().lastMoveInRecord();
    engine.Redraw(1, 0);
    board.render(&sized.image);
    for (auto _ : st) {
        if (sized.run.program.state().MoveCount >= last) {
            st.PauseTiming();
            engine.Redraw(1, 0);
            board.render(&sized.image);
            st.ResumeTiming();
        }
        engine.oneForward();
        // An empty region would render the whole board.
        const QRegion changed = board.changedRegion(sized.image.devicePixelRatio());
        if (!changed.isEmpty())
            board.render(&sized.image, changed.boundingRect().topLeft(), changed);
        benchmark::DoNotOptimize(sized.image.constBits());
    }
}

// One-forward through the whole record, each step painted before the next; the slowest step
// is shown too (it rebuilds all 499 moves).
void BM_StepOneForwardRepaint(benchmark::State& st) {
    RunningProgram run;
    Engine& engine = run.engine();
    const int last = run.program.state().lastMoveInRecord();
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

BENCHMARK(BM_PaintBoard)->Apply(windowSizes);
BENCHMARK(BM_JumpAndPaint)->Apply(windowSizes);
BENCHMARK(BM_StepAndPaint)->Apply(windowSizes);
BENCHMARK(BM_StepOneForwardRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProGameAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace kelmaz::bench
