// The recovery folder: which files are left behind by a process that is gone, and how a file
// declined at start-up is moved aside without ever replacing another.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "shell/RecoveryFiles.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

namespace fs = std::filesystem;

// The number of a process that has ended (and was reaped), so no process owns it now.
long endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// A process of this program (a copy of the test) that runs until it is killed, or that has
// ended without being reaped yet (a zombie, as a killed window is until its parent waits).
struct Child {
    explicit Child(bool ended) : pid(::fork()) {
        if (pid == 0) {
            if (!ended) ::pause();
            ::_exit(0);
        }
        if (ended) {
            siginfo_t info{};
            ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
        }
    }
    ~Child() {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    pid_t pid;
};

TEST(RecoveryFiles, OnlyFilesNoRunningWindowKeepsAreLeftovers) {
    test::TempDir dir;
    const fs::path folder = dir.path() / "state";
    const Child running(false);
    const Child zombie(true);
    const struct {
        const char* owner;
        long pid;
        bool leftover;
    } owners[] = {
        {"ended and reaped", endedProcess(), true},
        {"ended, not yet reaped", zombie.pid, true},
        {"number now another program's", 1, true},
        {"this process, started anew under an earlier window's number", ::getpid(), true},
        {"a running window", running.pid, false},
    };
    for (const auto& o : owners) ASSERT_TRUE(writeRecoveryFile(recoveryFileOf(folder, o.pid), ""));
    EXPECT_EQ(fs::status(folder).permissions() & (fs::perms::group_all | fs::perms::others_all),
              fs::perms::none)
        << "unsaved records readable by other users";
    ASSERT_TRUE(writeRecoveryFile(clearedRecordFile(folder, owners[0].pid), ""));
    test::writeBytes(folder / "board-.sgf", "(;)");
    test::writeBytes(folder / "notes.txt", "");
    fs::create_directories(recoveryFileOf(folder, endedProcess()));  // a folder, not a file

    const std::vector<fs::path> leftovers = leftoverRecoveryFiles(folder);
    for (const auto& o : owners) {
        const bool found = std::find(leftovers.begin(), leftovers.end(),
                                     recoveryFileOf(folder, o.pid)) != leftovers.end();
        EXPECT_EQ(found, o.leftover) << o.owner;
    }
    EXPECT_EQ(leftovers.size(), 5u) << "with the cleared record's file";
    EXPECT_TRUE(leftoverRecoveryFiles(dir.path() / "absent").empty());
}

TEST(RecoveryFiles, ADeclinedFileIsMovedAsideWithoutReplacingAnEarlierOne) {
    test::TempDir dir;
    const fs::path first = recoveryFileOf(dir.path(), endedProcess());
    ASSERT_TRUE(writeRecoveryFile(first, "first"));
    const std::optional<fs::path> kept = setRecoveryFileAside(first);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->parent_path(), dir.path() / "recovered");

    // The same name again (a process number used anew) must not cost the first file.
    ASSERT_TRUE(writeRecoveryFile(first, "second"));
    const std::optional<fs::path> second = setRecoveryFileAside(first);
    ASSERT_TRUE(second);
    EXPECT_NE(*second, *kept);
    EXPECT_EQ(test::readBytes(*kept), "first");
    EXPECT_EQ(test::readBytes(*second), "second");
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(leftoverRecoveryFiles(dir.path()).empty());
}

TEST(RecoveryFiles, TheFolderFollowsTheStateHomeAndIgnoresARelativeOne) {
    const std::string previous = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
    ::setenv("XDG_STATE_HOME", "/tmp/state-home", 1);
    EXPECT_EQ(recoveryFolder(), fs::path("/tmp/state-home/kelmaz"));
    ::setenv("XDG_STATE_HOME", "relative", 1);
    EXPECT_EQ(recoveryFolder(), fs::path(std::getenv("HOME")) / ".local/state/kelmaz");
    ::setenv("XDG_STATE_HOME", previous.c_str(), 1);
}

}  // namespace
}  // namespace kelmaz
