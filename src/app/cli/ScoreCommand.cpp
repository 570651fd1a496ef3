// score: an engine's score for a record's position, asked over GTP. The engine runs as a child
// process on two pipes, in a process group of its own; the tool waits for each reply at most a
// bounded time, counted from the command sent.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <thread>

#include "app/cli/CliCommands.h"
#include "base/NumberText.h"
#include "gtp/GtpCommand.h"
#include "gtp/GtpGame.h"

namespace kelmaz::cli {

namespace {

constexpr double kDefaultReplyLimitSeconds = 120;
constexpr double kLongestReplyLimitSeconds = 86'400;

// An engine started through the shell, so that its command line is quoted as the user typed
// it. It leads a process group of its own, so that whatever it starts (a wrapper script's
// engine, an engine's helper processes) ends with it. The destructor ends it: stdin closed
// (quit was sent), then the whole group killed after a short wait.
class EngineProcess {
  public:
    explicit EngineProcess(const std::string& commandLine) {
        int toChild[2], fromChild[2];
        if (::pipe2(toChild, O_CLOEXEC) != 0) return;
        if (::pipe2(fromChild, O_CLOEXEC) != 0) {
            ::close(toChild[0]);
            ::close(toChild[1]);
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setpgid(0, 0);
            ::dup2(toChild[0], STDIN_FILENO);
            ::dup2(fromChild[1], STDOUT_FILENO);
            const int devNull = ::open("/dev/null", O_WRONLY);
            if (devNull >= 0) ::dup2(devNull, STDERR_FILENO);
            const std::string exec = "exec " + commandLine;
            ::execl("/bin/sh", "sh", "-c", exec.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Set on both sides, so that the group exists whichever runs first.
        if (pid_ > 0) ::setpgid(pid_, pid_);
        ::close(toChild[0]);
        ::close(fromChild[1]);
        in_ = toChild[1];
        out_ = fromChild[0];
        if (pid_ < 0) end();
    }
    ~EngineProcess() { end(); }
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    bool started() const { return pid_ > 0; }
    bool write(const std::string& line) {
        std::size_t done = 0;
        while (done < line.size()) {
            const ssize_t n = ::write(in_, line.data() + done, line.size() - done);
            if (n <= 0) {
                closedOutput_ = true;  // the engine has gone: a pipe without a reader
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    // What the engine wrote next; nothing when it ended or said nothing within the limit.
    std::optional<std::string> read(int limitMs) {
        pollfd p{out_, POLLIN, 0};
        if (::poll(&p, 1, limitMs) <= 0) return std::nullopt;
        char buffer[4096];
        const ssize_t n = ::read(out_, buffer, sizeof buffer);
        if (n <= 0) {
            closedOutput_ = true;
            return std::nullopt;
        }
        return std::string(buffer, static_cast<std::size_t>(n));
    }
    // True when the engine closed its output: it has ended (or is ending).
    bool closedOutput() const { return closedOutput_; }
    // The engine's exit status once it has ended, -1 while it runs or when a signal ended it.
    int exitStatus() {
        // An engine that closed its output is given a moment to be gone.
        for (int i = 0; i < (closedOutput_ ? 20 : 1); ++i) {
            if (const std::optional<siginfo_t> ended = endedLeader()) {
                return ended->si_code == CLD_EXITED ? ended->si_status : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

  private:
    // How the engine itself ended, once it has; it is not reaped, so that its process id stays
    // the group's until the group is killed.
    std::optional<siginfo_t> endedLeader() const {
        if (pid_ <= 0) return std::nullopt;
        siginfo_t info{};
        if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
            info.si_pid != pid_)
            return std::nullopt;
        return info;
    }

    void end() {
        if (in_ >= 0) ::close(in_);
        if (out_ >= 0) ::close(out_);
        in_ = out_ = -1;
        if (pid_ <= 0) return;
        for (int i = 0; i < 20 && !endedLeader(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::kill(-pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }

    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    bool closedOutput_ = false;
};

// Runs one driver operation through the engine to its outcome. Each reply must be complete
// within `limit` of its command: bytes that trickle in (blank lines, a character now and then)
// do not put the limit off.
GtpOutcome runToOutcome(EngineProcess& engine, GtpGame& game, GtpOutcome outcome,
                        const std::string& command, std::chrono::milliseconds limit) {
    using Clock = std::chrono::steady_clock;
    Clock::time_point deadline = Clock::now() + limit;
    while (outcome.kind == GtpOutcome::Kind::Pending) {
        if (!outcome.send.empty()) {
            if (!engine.write(outcome.send)) break;
            deadline = Clock::now() + limit;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        const std::optional<std::string> bytes = engine.read(static_cast<int>(left.count()));
        if (!bytes) break;
        outcome = game.feed(*bytes);
    }
    if (outcome.kind != GtpOutcome::Kind::Pending) return outcome;
    outcome.kind = GtpOutcome::Kind::Failed;
    const int status = engine.exitStatus();
    if (!engine.closedOutput())
        outcome.message = "思考エンジンが時間内に応答しません: " + command;
    else if (status == 127)
        outcome.message = "思考エンジンを起動できません: " + command;
    else if (status >= 0)
        outcome.message =
            "思考エンジンが終了しました (終了コード " + std::to_string(status) + "): " + command;
    else
        outcome.message = "思考エンジンが異常終了しました: " + command;
    return outcome;
}

}  // namespace

int scoreCommand(const Args& args) {
    if (args.empty()) return kExitUsage;
    std::optional<int> move;
    std::string command;
    ScoreKind kind = ScoreKind::Final;
    double limitSeconds = kDefaultReplyLimitSeconds;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--estimate") {
            kind = ScoreKind::Estimate;
            continue;
        }
        if (i + 1 == args.size()) return kExitUsage;
        const std::string& value = args[++i];
        if (args[i - 1] == "--move") {
            const auto n = parseNumber(value);
            if (!n || *n < 0 || *n > kMaxMoves || *n != static_cast<int>(*n)) return kExitUsage;
            move = static_cast<int>(*n);
        } else if (args[i - 1] == "--engine" && !value.empty()) {
            command = value;
        } else if (args[i - 1] == "--limit") {
            const auto seconds = parseNumber(value);
            if (!seconds || !(*seconds > 0) || *seconds > kLongestReplyLimitSeconds)
                return kExitUsage;
            limitSeconds = *seconds;
        } else {
            return kExitUsage;
        }
    }
    const auto limit = std::chrono::milliseconds(static_cast<long long>(limitSeconds * 1000));
    if (command.empty()) {
        const char* path = std::getenv("PATH");
        command = defaultGtpCommand(path ? path : "");
    }
    ToolRecord record;
    if (const auto failed = readOrFail(args[0], record)) return *failed;
    rebuildPosition(record, move.value_or(record.state.MoveCount));
    const auto komi = parseNumber(record.state.Info[InfoField::KM]);

    // A broken pipe is an engine that ended: the reply loop reports it, the tool goes on.
    ::signal(SIGPIPE, SIG_IGN);
    EngineProcess engine(command);
    GtpGame game(record.state);
    GtpOutcome outcome =
        runToOutcome(engine, game, game.start(0, komi.value_or(0)), command, limit);
    if (outcome.kind == GtpOutcome::Kind::Ready)
        outcome = runToOutcome(engine, game, game.score(kind), command, limit);
    engine.write(game.quitLine());
    if (outcome.kind == GtpOutcome::Kind::Failed) {
        std::cerr << outcome.message << '\n';
        return kExitEngineError;
    }
    if (!outcome.score.known) {
        std::cerr << "この思考エンジンは形勢判断ができません: " << command << '\n';
        return kExitEngineError;
    }
    std::cout << outcome.score.result << '\n';
    std::string dead;
    for (const GtpVertex& v : outcome.score.dead)
        dead += (dead.empty() ? "" : " ") + vertexText(v.col, v.row, record.state.BoardSize);
    if (!dead.empty()) std::cout << dead << '\n';
    return kExitOk;
}

}  // namespace kelmaz::cli
