// A record of 30,000 one-move variations, each marking every point of the board four times
// over (SQ, TR, CR and MA of "aa:ss"), about 1.3 MB: read the way the file window reads it
// (tree loaded and laid out) and by `kelmaz-cli show` as a whole process. Each reports the
// peak memory of a process doing the work once, and its CPU time, beside the timing.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "intake/RecordFormat.h"
#include "support/BenchData.h"
#include "support/TestSupport.h"

extern char** environ;

namespace kelmaz::bench {
namespace {

std::string markedVariations(int variations) {
    std::string text = "(;GM[1]FF[4]SZ[19]CA[UTF-8]\n";
    for (int i = 0; i < variations; ++i) {
        text += "(;B[";
        text += char('a' + i % 19);
        text += char('a' + i / 19 % 19);
        text += "]SQ[aa:ss]TR[aa:ss]CR[aa:ss]MA[aa:ss])\n";
    }
    return text + ")\n";
}

const std::string& markedFile() {
    static const test::TempDir dir;
    static const std::string path = [] {
        const auto file = dir.file("marked-variations.sgf");
        test::writeBytes(file, markedVariations(30000));
        return file.string();
    }();
    return path;
}

void readAsTheFileWindowDoes(const std::string& path) {
    GameState state;
    BoardOptions options;
    FileTreeLink tree(state);
    readRecordFile(path, state, options, tree);
    benchmark::DoNotOptimize(state.MoveMarkup[1].empty());
}

// The peak resident memory (MB) and CPU seconds of a finished child process.
void reportChild(benchmark::State& st, const rusage& usage) {
    st.counters["peak_mb"] = double(usage.ru_maxrss) / 1024;
    st.counters["child_cpu_s"] = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                                 double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_MarkedVariationsRead(benchmark::State& st) {
    const std::string& path = markedFile();
    for (auto _ : st) readAsTheFileWindowDoes(path);
    // Once more in a child of its own, whose high-water mark is this reading's alone.
    const pid_t pid = fork();
    if (pid == 0) {
        readAsTheFileWindowDoes(path);
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) reportChild(st, usage);
    st.counters["bytes"] = double(std::filesystem::file_size(path));
}
BENCHMARK(BM_MarkedVariationsRead)->Unit(benchmark::kMillisecond)->Iterations(2);

#ifdef KELMAZ_CLI
void BM_MarkedVariationsCliShow(benchmark::State& st) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::string program = KELMAZ_CLI, command = "show", file = markedFile();
    char* argv[] = {program.data(), command.data(), file.data(), nullptr};
    for (auto _ : st) {
        pid_t pid = 0;
        int status = 0;
        rusage usage{};
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0 ||
            wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            st.SkipWithError("kelmaz-cli show failed");
            break;
        }
        reportChild(st, usage);
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_MarkedVariationsCliShow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
#endif

}  // namespace
}  // namespace kelmaz::bench
