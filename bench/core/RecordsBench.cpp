// Reading: format detection, the readers and the main line, from the file to the rebuilt board,
// on a professional game, a 5 MB collection, a joseki-dictionary-sized tree, a UGF and a Tki file;
// and kelmaz-cli reading the same files as a whole process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "document/DocumentRecord.h"
#include "engine/Engine.h"
#include "intake/RecordFormat.h"
#include "records/RecordFile.h"
#include "support/BenchData.h"
#include "support/FakeBoardHost.h"
#include "support/TestSupport.h"

extern char** environ;

namespace kelmaz::bench {
namespace {

// The files by name; the generated ones are written on first use into a folder that lives as
// long as the process, so that listing or filtering the benchmarks builds none of them.
constexpr const char* kBenchFiles[] = {"pro_game_sgf", "collection_5mb_sgf", "joseki_sgf", "ugf",
                                       "tki_499"};

std::string benchFile(std::string_view name) {
    if (name == "pro_game_sgf") return corpusFile(kProGame).string();
    if (name == "ugf") return corpusFile(kUgfGame).string();
    static const test::TempDir dir;
    static const GameState record = captureHeavyRecord(499);
    const auto written = [](const char* file, const auto& bytes) {
        const std::filesystem::path path = dir.file(file);
        if (!std::filesystem::exists(path)) test::writeBytes(path, bytes());
        return path.string();
    };
    if (name == "collection_5mb_sgf")
        return written("collection.sgf", [] { return sgfCollection(5 << 20, record); });
    if (name == "joseki_sgf") return written("joseki.sgf", [] { return josekiTree(record); });
    return written("capture.txt", [] { return tkiText(record); });
}

// What the file window does with a file name: clear, read, detect, run the reader (the
// document for SGF), replay the main line. With the tree window, an SGF file's tree is also
// loaded and laid out.
void openRecord(benchmark::State& st, std::string_view name, bool treeWindow) {
    const std::string path = benchFile(name);
    GameState state;
    BoardOptions options;
    test::FakeBoardHost host;
    RecordDocument document;
    DocumentRecord record(document, state);
    Engine engine(state, options, host, record);
    FileTreeLink fileTree(state);
    for (auto _ : st) {
        engine.gCls();
        const RecordReadResult result = readRecordFile(path, state, options, record);
        if (result.status != RecordReadResult::Status::Ok) {
            st.SkipWithError(result.message.c_str());
            break;
        }
        if (treeWindow && record.holdsTree()) fileTree.showFileTree(state.SgfText);
        engine.Redraw(1, state.MoveCount);
    }
    st.counters["moves"] = state.MoveCount;
    st.counters["branches"] = fileTree.session.model().BranchCount;
    st.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

// Format detection and the reader alone, on lines already read and decoded.
void getFormat(benchmark::State& st, std::string_view name) {
    const std::string path = benchFile(name);
    GameState state;
    BoardOptions options;
    test::FakeBoardHost host;
    RecordDocument document;
    DocumentRecord record(document, state);
    Engine engine(state, options, host, record);
    if (!loadRecordFile(path, state)) {
        st.SkipWithError("cannot read the file");
        return;
    }
    const std::vector<std::string> lines = state.LstRead;
    for (auto _ : st) {
        engine.gCls();
        state.LstRead = lines;
        benchmark::DoNotOptimize(GetFormat(state, options, record));
    }
    st.counters["moves"] = state.MoveCount;
}

#ifdef KELMAZ_CLI
// `kelmaz-cli show FILE` from spawn to exit, its output thrown away.
void cliShow(benchmark::State& st, std::string_view name) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string program = KELMAZ_CLI, command = "show";
    std::string file = benchFile(name);
    char* argv[] = {program.data(), command.data(), file.data(), nullptr};
    for (auto _ : st) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            st.SkipWithError("kelmaz-cli show failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
#endif

const bool registered = [] {
    for (const char* name : kBenchFiles) {
        benchmark::RegisterBenchmark((std::string("BM_OpenRecord/") + name).c_str(),
                                     [name](benchmark::State& st) { openRecord(st, name, false); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_OpenRecordWithTree/") + name).c_str(),
                                     [name](benchmark::State& st) { openRecord(st, name, true); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_GetFormat/") + name).c_str(),
                                     [name](benchmark::State& st) { getFormat(st, name); })
            ->Unit(benchmark::kMillisecond);
#ifdef KELMAZ_CLI
        benchmark::RegisterBenchmark((std::string("BM_CliShow/") + name).c_str(),
                                     [name](benchmark::State& st) { cliShow(st, name); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
#endif
    }
    return true;
}();

}  // namespace
}  // namespace kelmaz::bench
