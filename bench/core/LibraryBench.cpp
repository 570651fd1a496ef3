// The game library on 100,000 games: adding them, opening the library, its searches (the
// shapes of the desktop reference's published figures), a header search, and the memory and
// disk each takes. The games are generated here with a fixed seed; KELMAZ_LIBRARY_GAMES names
// a folder of real SGF files to measure instead.
//
// The library is built once per input into $TMPDIR/kelmaz-library-bench/ and reused by later
// runs, so that the searches can be run alone in a fresh process (their peak memory is then
// what opening and searching take): run LibraryAdd first, then the rest with a filter.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "intake/RecordTool.h"
#include "library/CaptureBoard.h"
#include "library/GameLibrary.h"

namespace kelmaz::bench {
namespace {

namespace fs = std::filesystem;
using namespace kelmaz::library;

constexpr int kGeneratedGames = 100000;
constexpr int kGamesPerFile = 1000;

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string letters(int point) { return pointLetters(point); }

// A plausible game: a few opening stones near the corners and sides, then replies near the
// last moves, on a board that takes captured stones, so the later moves fill what was taken.
std::string generatedGame(int number) {
    std::mt19937 random(static_cast<unsigned>(number) * 2654435761u + 7);
    static const int openings[][2] = {{3, 3}, {2, 3}, {3, 2}, {2, 2}, {3, 4},
                                      {4, 3}, {2, 4}, {9, 3}, {3, 9}, {2, 5}};
    CaptureBoard board;
    std::vector<int> taken;
    std::string text =
        "(;GM[1]SZ[19]PB[Player" + std::to_string(random() % 500) + "]PW[Player" +
        std::to_string(random() % 500) + "]DT[" + std::to_string(1990 + random() % 30) + "-0" +
        std::to_string(1 + random() % 9) + "-1" + std::to_string(random() % 10) + "]EV[" +
        (random() % 4 == 0 ? "名人戦" : "League") + "]RE[" + (random() % 2 ? "B+R" : "W+R") + "]";
    const int moves = 150 + static_cast<int>(random() % 130);
    const int opening = 4 + static_cast<int>(random() % 5);
    std::vector<int> played;
    for (int m = 0; m < moves; ++m) {
        int point = -1;
        for (int attempt = 0; attempt < 30 && point < 0; ++attempt) {
            int x, y;
            if (m < opening) {
                const auto& o = openings[random() % 10];
                const bool flip = random() % 2;
                x = flip ? o[1] : o[0];
                y = flip ? o[0] : o[1];
                if (random() % 2) x = kLines - 1 - x;
                if (random() % 2) y = kLines - 1 - y;
            } else {
                const int near = played[played.size() - 1 -
                                        std::min<std::size_t>(random() % 4, played.size() - 1)];
                x = near % kLines + static_cast<int>(random() % 7) - 3;
                y = near / kLines + static_cast<int>(random() % 7) - 3;
            }
            if (x < 0 || y < 0 || x >= kLines || y >= kLines) continue;
            if (board.at(y * kLines + x) == PointState::Empty) point = y * kLines + x;
        }
        if (point < 0) continue;
        const PointState colour = played.size() % 2 ? PointState::White : PointState::Black;
        board.play(point, colour, taken);
        played.push_back(point);
        text +=
            std::string(";") + (colour == PointState::Black ? "B[" : "W[") + letters(point) + "]";
    }
    return text + ")\n";
}

struct BenchLibrary {
    fs::path games;    // the folder of SGF files added
    fs::path library;  // the library file
};

const BenchLibrary& benchLibrary() {
    static const BenchLibrary paths = [] {
        const char* tmp = std::getenv("TMPDIR");
        const fs::path root =
            fs::path(tmp != nullptr && *tmp ? tmp : "/tmp") / "kelmaz-library-bench";
        const char* real = std::getenv("KELMAZ_LIBRARY_GAMES");
        BenchLibrary b;
        if (real != nullptr && *real) {
            b.games = real;
            b.library = root / "real" / "library.db";
        } else {
            b.games = root / "generated-games";
            b.library = root / "generated" / "library.db";
            if (!fs::exists(b.games / "done")) {
                fs::create_directories(b.games);
                for (int f = 0; f < kGeneratedGames / kGamesPerFile; ++f) {
                    std::ofstream out(b.games / ("games" + std::to_string(1000 + f) + ".sgf"));
                    for (int g = 0; g < kGamesPerFile; ++g)
                        out << generatedGame(f * kGamesPerFile + g);
                }
                std::ofstream(b.games / "done") << "";
            }
        }
        fs::create_directories(b.library.parent_path());
        return b;
    }();
    return paths;
}

std::uintmax_t librarySize(const fs::path& library) {
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(library.parent_path()))
        if (entry.is_regular_file()) bytes += entry.file_size();
    return bytes;
}

std::unique_ptr<GameLibrary> openLibrary() {
    const BenchLibrary& b = benchLibrary();
    std::string error;
    auto library = GameLibrary::open(b.library.string(), error);
    if (library && library->gameCount() == 0) library->add({b.games.string()});
    return library;
}

void BM_LibraryAdd(benchmark::State& st) {
    const BenchLibrary& b = benchLibrary();
    AddSummary summary;
    for (auto _ : st) {
        st.PauseTiming();
        fs::remove_all(b.library.parent_path());
        fs::create_directories(b.library.parent_path());
        st.ResumeTiming();
        std::string error;
        auto library = GameLibrary::open(b.library.string(), error);
        summary = library->add({b.games.string()});
    }
    st.counters["games"] = summary.added;
    st.counters["duplicates"] = summary.duplicates;
    st.counters["peak_MB"] = peakMegabytes();
    st.counters["disk_MB"] = static_cast<double>(librarySize(b.library)) / 1e6;
}
BENCHMARK(BM_LibraryAdd)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// 1,000 more games added to the library of 100,000: the index is written from the old one and
// the new games, so the time and memory go with the games added and the copying of the file.
void BM_LibraryAddMore(benchmark::State& st) {
    openLibrary();
    const fs::path library = benchLibrary().library;
    const fs::path copy = library.parent_path().parent_path() / "more";
    const fs::path more = copy / "games";
    AddSummary summary;
    for (auto _ : st) {
        st.PauseTiming();
        fs::remove_all(copy);
        fs::create_directories(more);
        for (const auto& entry : fs::directory_iterator(library.parent_path()))
            fs::copy_file(entry.path(), copy / entry.path().filename());
        {
            std::ofstream out(more / "more.sgf");
            for (int g = 0; g < kGamesPerFile; ++g) out << generatedGame(kGeneratedGames + g);
        }
        std::string error;
        auto opened = GameLibrary::open((copy / library.filename()).string(), error);
        st.ResumeTiming();
        summary = opened->add({more.string()});
    }
    fs::remove_all(copy);
    st.counters["games"] = summary.added;
    st.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_LibraryAddMore)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

void BM_LibraryOpen(benchmark::State& st) {
    openLibrary();
    const std::string path = benchLibrary().library.string();
    for (auto _ : st) {
        std::string error;
        auto library = GameLibrary::open(path, error);
        benchmark::DoNotOptimize(library->indexed());
    }
}
BENCHMARK(BM_LibraryOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The position after move 30 of the first game of the first file.
Pattern positionAtMove30() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(benchLibrary().games))
        if (entry.path().extension() == ".sgf") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ToolRecord record;
    readRecordForTool(files.front().string(), record, 1);
    rebuildPosition(record, 30);
    return positionPattern(record.state);
}

// A 7x7 upper-left corner: empty but for the stones given as (point letters, X or O).
Pattern corner(std::initializer_list<std::pair<const char*, char>> stones) {
    std::string points(49, '.');
    for (const auto& [at, colour] : stones) points[(at[1] - 'a') * 7 + (at[0] - 'a')] = colour;
    std::string error;
    return *parsePattern("aa:gg:" + points, error);
}

void searchBench(benchmark::State& st, const Pattern& pattern, SearchOptions options) {
    const auto library = openLibrary();
    const ShapeQuery query = makeQuery(pattern, options);
    std::size_t hits = 0;
    for (auto _ : st) {
        const SearchResult result = library->search(query);
        hits = result.hits.size();
        benchmark::DoNotOptimize(result.continuations.data());
    }
    st.counters["hits"] = static_cast<double>(hits);
    st.counters["peak_MB"] = peakMegabytes();
}

void BM_LibraryCornerLone44(benchmark::State& st) { searchBench(st, corner({{"dd", 'X'}}), {}); }
void BM_LibraryCorner44With36Approach(benchmark::State& st) {
    searchBench(st, corner({{"dd", 'X'}, {"cf", 'O'}}), {});
}
void BM_LibraryCornerRare33Invasion(benchmark::State& st) {
    searchBench(
        st, corner({{"dd", 'X'}, {"cc", 'O'}, {"dc", 'X'}, {"cd", 'O'}, {"ce", 'X'}, {"be", 'O'}}),
        {});
}
void BM_LibraryCrossCutAnywhere(benchmark::State& st) {
    std::string error;
    searchBench(st, *parsePattern("aa:cc:XO*OX****", error), {true, true, true});
}
void BM_LibraryPositionAtMove30(benchmark::State& st) { searchBench(st, positionAtMove30(), {}); }

BENCHMARK(BM_LibraryCornerLone44)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_LibraryCorner44With36Approach)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_LibraryCornerRare33Invasion)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_LibraryCrossCutAnywhere)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_LibraryPositionAtMove30)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

void BM_LibraryHeaderSearch(benchmark::State& st) {
    const auto library = openLibrary();
    std::size_t rows = 0;
    for (auto _ : st) rows = library->list({"Player12", "2000", "2009-12", "", ""}).size();
    st.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_LibraryHeaderSearch)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kelmaz::bench
