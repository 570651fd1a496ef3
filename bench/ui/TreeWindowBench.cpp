// The tree window on generated trees: loading a tree through putSGFdata up to the painted
// picture, and painting the visible part of an already loaded tree (what each scroll or
// selection costs).
#include <benchmark/benchmark.h>

#include <QImage>
#include <map>

#include "app/Program.h"
#include "support/BenchData.h"
#include "support/FakeDialogs.h"
#include "tree/ui/FomNode.h"
#include "tree/ui/PicNode.h"

namespace kelmaz::bench {
namespace {

const std::string& treeOf(int branches) {
    static const GameState record = captureHeavyRecord(499);
    static std::map<int, std::string> texts;
    auto [it, added] = texts.try_emplace(branches);
    if (added) {
        TreeShape shape;
        shape.branches = branches;
        it->second = generateTree(shape, record);
    }
    return it->second;
}

struct TreeWindowRun {
    TreeWindowRun() {
        program.StartupMain();
        window().setDialogs(yes);
        window().resize(480, 640);
    }
    FomNode& window() { return program.treeWindow(); }
    test::FakeDialogs yes;  // every question is answered yes
    Program program;
};

void paint(PicNode& picture, QImage& image) {
    picture.render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

// putSGFdata (syntax check, reduction, parse, branch table, rows, node 1) and the first paint.
void BM_TreeWindowLoadAndPaint(benchmark::State& st) {
    TreeWindowRun run;
    const std::string& text = treeOf(static_cast<int>(st.range(0)));
    PicNode& picture = *run.window().picNode;
    QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        run.window().putSGFdata(text);
        paint(picture, image);
    }
    st.counters["branches"] = run.window().session().model().BranchCount;
}

// One paint of the tree picture around the first node of the middle branch (selected, so the
// view has scrolled to it).
void BM_TreeWindowPaint(benchmark::State& st) {
    TreeWindowRun run;
    run.window().putSGFdata(treeOf(static_cast<int>(st.range(0))));
    run.window().cPoint(run.window().session().model().BranchCount / 2, 1);
    PicNode& picture = *run.window().picNode;
    QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) paint(picture, image);
    st.counters["width_px"] = image.width();
    st.counters["height_px"] = image.height();
}

}  // namespace

BENCHMARK(BM_TreeWindowLoadAndPaint)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeWindowPaint)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace kelmaz::bench
