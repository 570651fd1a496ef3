// Start-up time and idle memory of the program, offscreen.
//
// Start-up: the probe starts itself again with --child; the child starts the program exactly as
// main() of `kelmaz` does and reports the monotonic clock once the board has been painted for
// the first time. The parent takes the clock just before it spawns the child, so the figure
// covers loading, start-up, layout and the first paint.
// Memory: the real `kelmaz` is started offscreen, left idle, and its resident size read from
// /proc before it is told to end.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/Program.h"
#include "shell/ui/AppResources.h"
#include "support/TestSupport.h"
#include "view/ui/BoardView.h"
#include "view/ui/FomMain.h"

extern char** environ;

namespace {

long long monotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// VmRSS of a process in KiB, 0 when it cannot be read.
long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

// Reports the first paint of the board once the paint has finished.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(QObject* board) : board_(board) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && watched == board_ && event->type() == QEvent::Paint) {
            seen_ = true;
            QTimer::singleShot(0, [] {
                std::printf("painted %lld\n", monotonicNs());
                std::fflush(stdout);
            });
        }
        return false;
    }

  private:
    QObject* board_;
    bool seen_ = false;
};

int runChild(int argc, char** argv, int idleMs) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelmaz"));
    QApplication::setQuitOnLastWindowClosed(false);
    kelmaz::loadAppResources();
    kelmaz::applyDesktopIdentity();
    kelmaz::Program program;
    FirstPaint probe(&program.fomMain().board());
    app.installEventFilter(&probe);
    program.StartupMain();
    QTimer::singleShot(idleMs, [&app] {
        std::printf("rss %ld\n", residentKiB(getpid()));
        std::fflush(stdout);
        app.quit();
    });
    return app.exec();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty()      ? 0
           : v.size() % 2 ? v[v.size() / 2]
                          : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Spawns argv with stdout on a pipe; the pid and the read end of the pipe.
std::pair<pid_t, FILE*> spawnReading(std::vector<std::string>& args) {
    int fds[2];
    if (pipe(fds) != 0) return {0, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (failed) {
        close(fds[0]);
        return {0, nullptr};
    }
    return {pid, fdopen(fds[0], "r")};
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc >= 3 && std::string(argv[1]) == "--child")
        return runChild(argc, argv, std::atoi(argv[2]));

    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 20;
    const kelmaz::test::TempDir config;
    setenv("KELMAZ_CONFIG_DIR", config.path().c_str(), 1);

    std::vector<double> startup, childRss;
    for (int i = 0; i < runs; ++i) {
        std::vector<std::string> args = {"/proc/self/exe", "--child", "1000"};
        args[0] = std::filesystem::read_symlink("/proc/self/exe").string();
        const long long start = monotonicNs();
        auto [pid, out] = spawnReading(args);
        if (!out) return 1;
        long long painted = 0;
        long rss = 0;
        char word[16];
        long long value = 0;
        while (std::fscanf(out, "%15s %lld", word, &value) == 2) {
            if (std::string(word) == "painted") painted = value;
            if (std::string(word) == "rss") rss = static_cast<long>(value);
        }
        std::fclose(out);
        waitpid(pid, nullptr, 0);
        if (painted == 0) {
            std::cerr << "the child painted nothing\n";
            return 1;
        }
        startup.push_back((painted - start) / 1e6);
        childRss.push_back(rss / 1024.0);
    }
    std::printf(
        "start-up to first painted board: median %.1f ms, min %.1f ms, max %.1f ms (%d runs)\n",
        median(startup), *std::min_element(startup.begin(), startup.end()),
        *std::max_element(startup.begin(), startup.end()), runs);
    std::printf("resident after 1 s idle (probe, no browser): median %.1f MB\n", median(childRss));

#ifdef KELMAZ_PROGRAM
    // The real program, left idle for three seconds.
    std::vector<double> programRss;
    for (int i = 0; i < 3; ++i) {
        std::vector<std::string> args = {KELMAZ_PROGRAM};
        auto [pid, out] = spawnReading(args);
        if (!out) return 1;
        usleep(3000000);
        programRss.push_back(residentKiB(pid) / 1024.0);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        std::fclose(out);
    }
    std::printf("resident after 3 s idle (kelmaz): median %.1f MB\n", median(programRss));
#endif
    return 0;
}
