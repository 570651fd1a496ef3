// A joseki dictionary with labels on most of its 62,000 nodes: reading it the way the file
// window does, stepping along its main line with the board and its marks painted into an
// image after each step, and loading a line of the tree by a click on its last node. And the
// repaint of a board whose move carries a label of 2,000,000 characters.
#include <benchmark/benchmark.h>

#include <QImage>
#include <algorithm>
#include <chrono>

#include "app/Program.h"
#include "engine/Engine.h"
#include "intake/RecordFormat.h"
#include "support/BenchData.h"
#include "support/TestSupport.h"
#include "view/ui/BoardView.h"
#include "view/ui/FomMain.h"

namespace kelmaz::bench {
namespace {

const std::string& dictionaryFile() {
    static const test::TempDir dir;
    static const std::string path = [] {
        const auto file = dir.file("joseki-labelled.sgf");
        test::writeBytes(file, labelledJosekiTree(captureHeavyRecord(499)));
        return file.string();
    }();
    return path;
}

// Read as the file window reads it: decoding, the tree model, the main line with its comments
// and marks, the tree handed to the (windowless) tree side.
void BM_LabelledDictionaryRead(benchmark::State& st) {
    const std::string& path = dictionaryFile();
    for (auto _ : st) {
        GameState state;
        BoardOptions options;
        FileTreeLink tree(state);
        readRecordFile(path, state, options, tree);
        benchmark::DoNotOptimize(state.MoveMarkup[1].size());
    }
}

// The program with the dictionary read, its board painted into an image of the window's size.
struct SteppingRun {
    explicit SteppingRun(double ratio) {
        program.StartupMain();
        program.fomMain().resize(600, program.fomMain().height());
        FileTreeLink tree(program.state());
        program.engine().gCls();
        readRecordFile(dictionaryFile(), program.state(), program.options(), tree);
        last = program.state().lastMoveInRecord();
        image = QImage(board().size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
    }
    BoardView& board() { return program.fomMain().board(); }
    void paintChanges() {
        const QRegion changed = board().changedRegion(image.devicePixelRatio());
        if (!changed.isEmpty()) board().render(&image, changed.boundingRect().topLeft(), changed);
        benchmark::DoNotOptimize(image.constBits());
    }
    Program program;
    QImage image;
    int last = 0;
};

// One step forward along the main line and the repaint of what changed, marks included; the
// slowest step is reported too.
void BM_LabelledDictionaryStepAndPaint(benchmark::State& st) {
    SteppingRun run(static_cast<double>(st.range(0)));
    Engine& engine = run.program.engine();
    engine.Redraw(1, 0);
    run.board().render(&run.image);
    double slowest = 0;
    int marked = 0;
    for (auto _ : st) {
        if (run.program.state().MoveCount >= run.last) {
            st.PauseTiming();
            engine.Redraw(1, 0);
            run.board().render(&run.image);
            st.ResumeTiming();
        }
        const auto start = std::chrono::steady_clock::now();
        engine.oneForward();
        run.paintChanges();
        const auto end = std::chrono::steady_clock::now();
        slowest = std::max(slowest, std::chrono::duration<double, std::milli>(end - start).count());
        marked += !run.program.state().shownMarkup().empty();
    }
    st.counters["main_line_moves"] = run.last;
    st.counters["steps_with_marks"] = marked;
    st.counters["slowest_step_ms"] = slowest;
}

// A click on the last node of a branch: the line through it with its comments and marks goes
// into the record.
void BM_LabelledDictionaryClickLine(benchmark::State& st) {
    GameState state;
    BoardOptions options;
    FileTreeLink tree(state);
    readRecordFile(dictionaryFile(), state, options, tree);
    const TreeModel& m = tree.session.model();
    const int b = m.BranchCount / 2;
    for (auto _ : st) {
        const TreeSession::Click c =
            tree.session.click(m.nodeX(b, m.BranchNodeCount[b]), m.nodeY(b));
        benchmark::DoNotOptimize(c.step);
    }
    st.counters["branches"] = m.BranchCount;
}

// The whole board painted again, as on an expose, with a label of 2,000,000 characters on it.
void BM_LongLabelRepaint(benchmark::State& st) {
    static const test::TempDir dir;
    const auto file = dir.file("long-label.sgf");
    test::writeBytes(file, "(;SZ[19];B[pd]LB[jj:" + std::string(2'000'000, 'W') + "])");
    Program program;
    program.StartupMain();
    program.fomMain().resize(600, program.fomMain().height());
    FileTreeLink tree(program.state());
    readRecordFile(file.string(), program.state(), program.options(), tree);
    program.engine().Redraw(1, 1);
    BoardView& board = program.fomMain().board();
    QImage image(board.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        board.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    st.counters["label_chars"] = double(program.state().shownMarkup().empty() ? 0 : 2'000'000);
}

}  // namespace

BENCHMARK(BM_LongLabelRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LabelledDictionaryRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LabelledDictionaryStepAndPaint)
    ->ArgName("ratio")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LabelledDictionaryClickLine)->Unit(benchmark::kMillisecond);

}  // namespace kelmaz::bench
